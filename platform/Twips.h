#pragma once

#include <cmath>
#include <cstdint>

// Every position and size of the board is kept in twips; the skin is drawn for 15 twips a pixel.
// These are the only conversions between the two units.
namespace quibbix {

inline constexpr int TwipsPerPixel = 15;

struct TwipsPoint {
    int32_t left = 0;
    int32_t top = 0;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

struct TwipsSize {
    int32_t width = 0;
    int32_t height = 0;
};

struct TwipsRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Nearest whole number, halves going to the even neighbour (6.5 -> 6, 7.5 -> 8).
inline int32_t roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1.0;
    }
    return static_cast<int32_t>(rounded);
}

inline int32_t pixelsFromTwips(double twips) {
    return roundHalfEven(twips / TwipsPerPixel);
}

inline int32_t twipsFromPixels(double pixels) {
    return roundHalfEven(pixels * TwipsPerPixel);
}

}  // namespace quibbix
