#include "platform/Screen.h"

#include "platform/Twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace Screen {

namespace {
int g_pointer = vbDefault;
}

void SetMousePointer(int value) {
    g_pointer = value;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    // Unwind whatever override is there, then set at most one.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (value == vbHourglass) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

int MousePointer() {
    return g_pointer;
}

namespace {
QSize simulated;
QSize screenPixels() {
    if (!simulated.isEmpty()) return simulated;
    if (auto* s = QGuiApplication::primaryScreen()) return s->geometry().size();
    return {640, 480};
}
} // namespace

void Simulate(int widthPixels, int heightPixels) {
    simulated = QSize(widthPixels, heightPixels);
}

int Width() {
    return screenPixels().width() * twips::kPerPixel;
}
int Height() {
    return screenPixels().height() * twips::kPerPixel;
}
int TwipsPerPixelX() {
    return twips::kPerPixel;
}
int TwipsPerPixelY() {
    return twips::kPerPixel;
}

} // namespace Screen
