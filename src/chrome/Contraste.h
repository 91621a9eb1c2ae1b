#pragma once
// Whether a word can be read on the picture behind it, as the WCAG measure it: the contrast of
// two colours is (L1 + 0.05) / (L2 + 0.05) of their relative luminances, and 4.5 is the least
// for ordinary text. Pure functions; the skinned windows use them to choose a highlight colour
// that reads on the pill under each option, whatever the look.
#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>

namespace contraste {

inline constexpr double kMinimo = 4.5;

// Relative luminance, 0 (black) to 1 (white).
double Luminancia(const QColor& c);
// Contrast between two luminances, 1 to 21.
double Entre(double l1, double l2);
// The mean relative luminance of the pixels of `img` inside `r` (clipped to the image); that of
// black when nothing is left.
double LuminanciaMedia(const QImage& img, const QRect& r);
// `deseado` (a colour as the windows give them, 0x00BBGGRR) when it reads on a ground of
// luminance `fondo`; otherwise the first of the program's other highlight colours that does
// (yellow, gold, light blue; dark red and black on light grounds).
uint32_t ColorLegible(uint32_t deseado, double fondo);

} // namespace contraste
