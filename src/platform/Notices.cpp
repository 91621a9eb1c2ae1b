#include "platform/Notices.h"

#include "platform/Locator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <cstdio>

namespace notices {

namespace {

class MessageBoxes : public Notifier {
public:
    void Notify(const QString& text) override {
        // A program with no windows (the data generator) has nowhere to show a box, and making
        // one there would end it: the notice goes to standard error instead.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            const QByteArray line =
                QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8() + '\n';
            std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
            return;
        }
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
