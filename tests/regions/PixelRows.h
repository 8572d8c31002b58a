#pragma once

#include <QRegion>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quibbix {

// The pixels of a region as the runs of each row, [left, right), sorted and joined. Two regions
// cover the same pixels exactly when their PixelRows are equal, however each groups its rectangles.
using PixelRows = std::map<int, std::vector<std::pair<int, int>>>;

PixelRows pixelRowsOf(const QRegion& region);

// Empty when the region's rectangles keep the banded order that QRegion relies on (sorted by top,
// then left; one height per top; no overlap; none touching side by side); otherwise what is wrong.
std::string bandingFault(const QRegion& region);

}  // namespace quibbix
