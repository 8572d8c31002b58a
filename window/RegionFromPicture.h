#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <cstdint>

namespace quibbix {

// A colour as the game stores it: red in the low byte, green in the second, blue in the third,
// high byte 0. Alpha is dropped: every picture is treated as opaque.
int32_t colourValue(QRgb pixel);

// The shape of a picture: every pixel of the scan area whose colour differs from the key colour.
//
// The scan area is the control's outer size, widthTwips x heightTwips, in whole pixels (halves go
// to the even neighbour). Where it reaches past the picture, the pixels read as no colour at all,
// so they belong to the shape; where it is smaller, the rest of the picture is left out.
//
// A keyColour below 1 asks for detection: it is replaced by the colour of pixel (0, 0) and the
// caller's variable receives it. A keyColour of 1 or more is used as given and left unchanged.
//
// A null picture has nothing to show and gives an empty region; a detection request then hands
// back -1, the value that a read outside any picture gives.
QRegion regionFromPicture(const QImage& picture, int32_t widthTwips, int32_t heightTwips,
                          int32_t& keyColour);

}  // namespace quibbix
