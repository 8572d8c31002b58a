#include "tests/regions/SlowReferenceRegion.h"

#include "platform/Twips.h"
#include "window/RegionFromPicture.h"

namespace quibbix {

namespace {

int32_t ReadPixel(const QImage& picture, int x, int y) {
    if (!picture.valid(x, y)) {
        return -1;
    }
    return colourValue(picture.pixel(x, y));
}

}  // namespace

QRegion slowReferenceRegion(const QImage& picture, int32_t widthTwips, int32_t heightTwips,
                            int32_t& keyColour) {
    if (keyColour < 1) {
        keyColour = ReadPixel(picture, 0, 0);
    }
    const int rows = pixelsFromTwips(heightTwips);
    const int columns = pixelsFromTwips(widthTwips);

    QRegion result;
    for (int y = 0; y < rows; ++y) {
        int x = 0;
        while (x < columns) {
            while (x < columns && ReadPixel(picture, x, y) == keyColour) {
                ++x;
            }
            if (x == columns) {
                break;
            }
            const int start = x;
            while (x < columns && ReadPixel(picture, x, y) != keyColour) {
                ++x;
            }
            result = result.united(QRect(start, y, x - start, 1));
        }
    }
    return result;
}

}  // namespace quibbix
