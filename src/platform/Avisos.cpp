#include "platform/Avisos.h"

#include <QList>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace avisos {

namespace {

class Ventanas : public Avisador {
public:
    void Avisar(const QString& texto) override {
        auto* caja = new QMessageBox(QMessageBox::Warning, QStringLiteral("Palavrix"), texto, QMessageBox::Ok);
        caja->button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
        caja->setAttribute(Qt::WA_DeleteOnClose);
        // Above the splash and the skinned windows, which stay on top themselves at times.
        caja->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        caja->setWindowModality(Qt::NonModal);
        // Shown once the event loop runs again: a notice raised while a window loads would
        // otherwise end up under that window when it is shown.
        QTimer::singleShot(0, caja, [caja] {
            caja->show();
            caja->raise();
        });
        abiertas_.removeIf([](const QPointer<QMessageBox>& c) { return c.isNull(); });
        abiertas_.append(caja);
    }
    void CerrarTodos() override {
        for (const QPointer<QMessageBox>& caja : std::as_const(abiertas_))
            if (caja) {
                caja->close();
                caja->deleteLater();
            }
        abiertas_.clear();
    }

private:
    QList<QPointer<QMessageBox>> abiertas_;
};

std::shared_ptr<Avisador>& instalado() {
    static std::shared_ptr<Avisador> a;
    return a;
}

} // namespace

Avisador& Actual() {
    if (instalado()) return *instalado();
    static Ventanas real;
    return real;
}

void Instalar(std::shared_ptr<Avisador> avisador) { instalado() = std::move(avisador); }

} // namespace avisos
