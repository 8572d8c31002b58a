#pragma once

#include <cmath>
#include <cstdint>

// Every position and size of the board is kept in twips; the skin is drawn for 15 twips a pixel.
// These are the only conversions between the two units.
namespace quibbix {

inline constexpr int TwipsPerPixel = 15;

// Nearest whole number, halves going to the even neighbour (6.5 -> 6, 7.5 -> 8).
inline int32_t RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1.0;
    }
    return static_cast<int32_t>(rounded);
}

inline int32_t PixelsFromTwips(double twips) {
    return RoundHalfEven(twips / TwipsPerPixel);
}

inline int32_t TwipsFromPixels(double pixels) {
    return RoundHalfEven(pixels * TwipsPerPixel);
}

}  // namespace quibbix
