#include "platform/Accessible.h"

#include <QAccessibleWidget>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

namespace controls {
namespace {

const char* const kRole = "palavrixAccessibleRole";

class PressableControl : public QAccessibleWidget {
public:
    PressableControl(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    QStringList actionNames() const override {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) return;
        // Checked again on arrival: the window may have been closed in between.
        QWidget* w = widget();
        QTimer::singleShot(0, w, [w] {
            if (w->isEnabled() && w->isVisible()) QMetaObject::invokeMethod(w, "Click");
        });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kRole);
    if (!role.isValid()) return nullptr;
    return new PressableControl(static_cast<QWidget*>(object), static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void Pressable(QWidget* w, const QString& name, const QString& description, QAccessible::Role role) {
    if (!w) return;
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
    w->setProperty(kRole, static_cast<int>(role));
    // Qt makes and keeps a control's interface the first time anything about it changes (a
    // label's caption does, in its constructor), before the role was known; that one is
    // dropped so the next question gets the pressable one.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(w);
        made && !dynamic_cast<PressableControl*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    Describe(w, name, description);
}

void Describe(QWidget* w, const QString& name, const QString& description) {
    if (!w) return;
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

} // namespace controls
