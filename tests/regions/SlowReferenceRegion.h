#pragma once

#include <QImage>
#include <QRegion>
#include <cstdint>

namespace quibbix {

// The builder in its plainest form, kept as the yardstick for the fast one: one QImage::pixel read
// for every pixel of the scan area and one region union for every run, top to bottom. Reads
// outside the picture give -1, which equals no colour. Slow on purpose; never use it in the game.
QRegion slowReferenceRegion(const QImage& picture, int32_t widthTwips, int32_t heightTwips,
                            int32_t& keyColour);

}  // namespace quibbix
