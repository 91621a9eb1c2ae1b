#include "platform/Shell.h"

#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/Locator.h"

#include <QDesktopServices>
#include <QUrl>

namespace shell {

namespace {

class DesktopOpener : public Opener {
public:
    bool Open(const QString& document) override {
        const QUrl asUrl(document);
        const QString scheme = asUrl.scheme().toLower();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
            scheme == QLatin1String("mailto"))
            return QDesktopServices::openUrl(asUrl);
        const QString path = drives::NativePath(document);
        // A document the desktop hands to a browser or viewer: a FIFO or device at its name would
        // hold that program, and it would be reported as opened.
        if (!files::IsRegular(path)) return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

constinit platform::Locator<Opener> locator([]() -> std::shared_ptr<Opener> {
    return std::make_shared<DesktopOpener>();
});

} // namespace

Opener& Current() {
    return locator.Current();
}

void Install(std::shared_ptr<Opener> opener) {
    locator.Install(std::move(opener));
}

} // namespace shell
