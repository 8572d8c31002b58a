#include "tests/regions/PixelRows.h"

#include <QRect>
#include <algorithm>
#include <sstream>

namespace quibbix {

PixelRows pixelRowsOf(const QRegion& region) {
    PixelRows rows;
    for (const QRect& rect : region) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            rows[y].emplace_back(rect.left(), rect.right() + 1);
        }
    }
    for (auto& [y, runs] : rows) {
        std::sort(runs.begin(), runs.end());
        std::vector<std::pair<int, int>> joined;
        for (const auto& run : runs) {
            if (!joined.empty() && run.first <= joined.back().second) {
                joined.back().second = std::max(joined.back().second, run.second);
            } else {
                joined.push_back(run);
            }
        }
        runs = std::move(joined);
    }
    return rows;
}

namespace {

std::string describe(const QRect& rect) {
    std::ostringstream text;
    text << "(" << rect.left() << ", " << rect.top() << ") " << rect.width() << " x "
         << rect.height();
    return text.str();
}

}  // namespace

std::string bandingFault(const QRegion& region) {
    const QRect* previous = nullptr;
    for (const QRect& rect : region) {
        if (rect.isEmpty()) {
            return "empty rectangle " + describe(rect);
        }
        if (previous != nullptr) {
            const bool sameBand = rect.top() == previous->top();
            if (sameBand && rect.height() != previous->height()) {
                return "band of two heights at " + describe(rect);
            }
            if (sameBand && rect.left() <= previous->right() + 1) {
                return "overlapping or touching " + describe(*previous) + " and " + describe(rect);
            }
            if (!sameBand && rect.top() <= previous->bottom()) {
                return "band out of order or overlapping at " + describe(rect);
            }
        }
        previous = &rect;
    }
    return {};
}

}  // namespace quibbix
