#include "chrome/Atajos.h"

#include "platform/Form.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>

namespace atajos {

void Enlazar(Form* ventana, const QKeySequence& teclas, std::function<void()> accion) {
    auto* s = new QShortcut(teclas, ventana);
    s->setContext(Qt::WindowShortcut);
    // A key held down would otherwise move to a window and straight back, or step through the
    // whole history.
    s->setAutoRepeat(false);
    QObject::connect(s, &QShortcut::activated, ventana, [ventana, accion = std::move(accion)] {
        if (!ventana->Unloading()) accion();
    });
}

namespace {

// The side buttons go to whatever control is under the pointer, which would take them for a
// click of its own; so they are caught on their way, for the application as a whole, and kept
// for the window they were pressed over. The filter is the window's child and goes with it.
class BotonesLaterales : public QObject {
public:
    BotonesLaterales(Form* ventana, std::function<void()> atras, std::function<void()> adelante)
        : QObject(ventana), ventana_(ventana), atras_(std::move(atras)), adelante_(std::move(adelante)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override {
        const bool pulsado =
            e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
        const bool soltado = e->type() == QEvent::MouseButtonRelease;
        if (!pulsado && !soltado) return false;
        const auto boton = static_cast<QMouseEvent*>(e)->button();
        if (boton != Qt::BackButton && boton != Qt::ForwardButton) return false;
        auto* w = qobject_cast<QWidget*>(objeto);
        if (!w || !ventana_ || w->window() != ventana_) return false;
        // Two quick presses arrive as a press and a double click: each is one step.
        if (pulsado && !ventana_->Unloading()) (boton == Qt::BackButton ? atras_ : adelante_)();
        return true;
    }

private:
    QPointer<Form> ventana_;
    std::function<void()> atras_, adelante_;
};

} // namespace

void BotonesRaton(Form* ventana, std::function<void()> atras, std::function<void()> adelante) {
    new BotonesLaterales(ventana, std::move(atras), std::move(adelante));
}

} // namespace atajos
