#include "chrome/Contraste.h"

#include <algorithm>
#include <cmath>

namespace contraste {

namespace {

double Lineal(double canal) {
    return canal <= 0.04045 ? canal / 12.92 : std::pow((canal + 0.055) / 1.055, 2.4);
}

QColor DesdeBGR(uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

double Luminancia(const QColor& c) {
    return 0.2126 * Lineal(c.redF()) + 0.7152 * Lineal(c.greenF()) + 0.0722 * Lineal(c.blueF());
}

double Entre(double l1, double l2) {
    const auto [bajo, alto] = std::minmax(l1, l2);
    return (alto + 0.05) / (bajo + 0.05);
}

double LuminanciaMedia(const QImage& img, const QRect& r) {
    const QRect dentro = r.intersected(img.rect());
    if (dentro.isEmpty()) return 0;
    double suma = 0;
    for (int y = dentro.top(); y <= dentro.bottom(); ++y)
        for (int x = dentro.left(); x <= dentro.right(); ++x)
            suma += Luminancia(img.pixelColor(x, y));
    return suma / (static_cast<double>(dentro.width()) * dentro.height());
}

uint32_t ColorLegible(uint32_t deseado, double fondo) {
    // Red as the designs light an option, then colours that stay a highlight on dark pills, then
    // dark ones for a light ground.
    const uint32_t candidatos[] = {deseado, 0x0000FFFF, 0x004AD8FF, 0x00FFD89C, 0x0000008B, 0x00000000};
    for (uint32_t c : candidatos)
        if (Entre(Luminancia(DesdeBGR(c)), fondo) >= kMinimo) return c;
    return Luminancia(QColor(Qt::white)) - fondo > fondo ? 0x00FFFFFF : 0x00000000;
}

} // namespace contraste
