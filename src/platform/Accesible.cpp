#include "platform/Accesible.h"

#include <QAccessibleWidget>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

namespace controls {
namespace {

const char* const kRol = "palavrixRolAccesible";

class ControlPulsable : public QAccessibleWidget {
public:
    ControlPulsable(QWidget* w, QAccessible::Role rol) : QAccessibleWidget(w, rol) {}

    QStringList actionNames() const override {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& accion) override {
        if (accion != pressAction()) return;
        // Checked again on arrival: the window may have been closed in between.
        QWidget* w = widget();
        QTimer::singleShot(0, w, [w] {
            if (w->isEnabled() && w->isVisible()) QMetaObject::invokeMethod(w, "Click");
        });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* fabrica(const QString&, QObject* objeto) {
    if (!objeto || !objeto->isWidgetType()) return nullptr;
    const QVariant rol = objeto->property(kRol);
    if (!rol.isValid()) return nullptr;
    return new ControlPulsable(static_cast<QWidget*>(objeto), static_cast<QAccessible::Role>(rol.toInt()));
}

} // namespace

void Pulsable(QWidget* w, const QString& nombre, const QString& descripcion, QAccessible::Role rol) {
    if (!w) return;
    static const bool instalada = [] {
        QAccessible::installFactory(fabrica);
        return true;
    }();
    (void)instalada;
    w->setProperty(kRol, static_cast<int>(rol));
    // Qt makes and keeps a control's interface the first time anything about it changes (a
    // label's caption does, in its constructor), before the role was known; that one is
    // dropped so the next question gets the pressable one.
    if (QAccessibleInterface* hecha = QAccessible::queryAccessibleInterface(w);
        hecha && !dynamic_cast<ControlPulsable*>(hecha))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(hecha));
    Describir(w, nombre, descripcion);
}

void Describir(QWidget* w, const QString& nombre, const QString& descripcion) {
    if (!w) return;
    w->setAccessibleName(nombre);
    w->setAccessibleDescription(descripcion);
}

} // namespace controls
