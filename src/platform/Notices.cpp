#include "platform/Notices.h"

#include "platform/Locator.h"

#include <QAbstractButton>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace notices {

namespace {

class MessageBoxes : public Notifier {
public:
    void Notify(const QString& text) override {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Palavrix"), text, QMessageBox::Ok);
        box->button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        // Above the splash and the skinned windows, which stay on top themselves at times.
        box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        box->setWindowModality(Qt::NonModal);
        // Shown once the event loop runs again: a notice raised while a window loads would
        // otherwise end up under that window when it is shown.
        QTimer::singleShot(0, box, [box] {
            box->show();
            box->raise();
        });
        open_.removeIf([](const QPointer<QMessageBox>& c) { return c.isNull(); });
        open_.append(box);
    }
    void CloseAll() override {
        for (const QPointer<QMessageBox>& box : std::as_const(open_))
            if (box) {
                box->close();
                box->deleteLater();
            }
        open_.clear();
    }

private:
    QList<QPointer<QMessageBox>> open_;
};

constinit platform::Locator<Notifier> locator([]() -> std::shared_ptr<Notifier> {
    return std::make_shared<MessageBoxes>();
});

} // namespace

Notifier& Current() {
    return locator.Current();
}

void Install(std::shared_ptr<Notifier> notifier) {
    locator.Install(std::move(notifier));
}

} // namespace notices
