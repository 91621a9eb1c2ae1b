#include "startup/PrimeraPintura.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <vector>

namespace {

class Espera : public QObject {
public:
    explicit Espera(QObject* app) : QObject(app) {
        plazo_.setSingleShot(true);
        connect(&plazo_, &QTimer::timeout, this, &Espera::Despachar);
    }

    void Agregar(std::function<void()> tarea) {
        if (tareas_.empty()) {
            QCoreApplication::instance()->installEventFilter(this);
            // Counted from the first turn of the event loop, however long the start took before it.
            QTimer::singleShot(0, this, [this] {
                if (!tareas_.empty()) plazo_.start(kPlazoPinturaMs);
            });
        }
        tareas_.push_back(std::move(tarea));
    }

    bool eventFilter(QObject* objeto, QEvent* e) override {
        if (e->type() == QEvent::Paint && objeto->isWidgetType()) Despachar();
        return false;
    }

private:
    void Despachar() {
        QCoreApplication::instance()->removeEventFilter(this);
        plazo_.stop();
        std::vector<std::function<void()>> tareas;
        tareas.swap(tareas_);
        // Queued: the painting under way reaches the screen before any of them starts.
        for (auto& t : tareas)
            QTimer::singleShot(0, this, std::move(t));
    }

    std::vector<std::function<void()>> tareas_;
    QTimer plazo_;
};

} // namespace

void TrasPrimeraPintura(std::function<void()> tarea) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        tarea();
        return;
    }
    static QPointer<Espera> espera;
    if (!espera) espera = new Espera(app);
    espera->Agregar(std::move(tarea));
}
