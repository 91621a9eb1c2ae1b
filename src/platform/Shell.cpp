#include "platform/Shell.h"

#include "platform/Drives.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace shell {

namespace {

class DesktopOpener : public Opener {
public:
    bool Open(const QString& document) override {
        const QUrl asUrl(document);
        const QString scheme = asUrl.scheme().toLower();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
            return QDesktopServices::openUrl(asUrl);
        const QString ruta = drives::NativePath(document);
        if (!QFileInfo::exists(ruta)) return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
    }
};

std::shared_ptr<Opener>& instalado() {
    static std::shared_ptr<Opener> o;
    return o;
}

} // namespace

Opener& Current() {
    if (instalado()) return *instalado();
    static DesktopOpener real;
    return real;
}

void Install(std::shared_ptr<Opener> opener) { instalado() = std::move(opener); }

} // namespace shell
