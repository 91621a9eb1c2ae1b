#pragma once
// Twips arithmetic. Every position in the program's window designs is in twips, 15 to a pixel on
// the skins; conversions happen only at the edge, where a widget is placed or an event read.
#include <cmath>
#include <cstdint>

namespace twips {

inline constexpr int kPerPixel = 15;

// Nearest whole number, halves to the even neighbour (banker's rounding), as the designs' own
// arithmetic rounds.
inline long long RoundHalfEven(double v) {
    return static_cast<long long>(std::nearbyint(v));
}

inline int ToPixels(double tw) {
    return static_cast<int>(RoundHalfEven(tw / kPerPixel));
}
inline int FromPixels(double px) {
    return static_cast<int>(RoundHalfEven(px * kPerPixel));
}

// A difference rounded to whole twips (halves to even), then halved toward zero: the centring
// rule of the designs, which puts a positive odd twip on the right or bottom side.
inline long long HalfDifference(double difference) {
    return RoundHalfEven(difference) / 2;
}

// Rounds to the nearest 16-bit integer, ties to even, clamped to the 16-bit range.
inline int16_t To16Bits(double v) {
    const long long r = RoundHalfEven(v);
    if (r > INT16_MAX) return INT16_MAX;
    if (r < INT16_MIN) return INT16_MIN;
    return static_cast<int16_t>(r);
}

} // namespace twips
