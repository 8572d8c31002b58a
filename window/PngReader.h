#pragma once

#include <QByteArrayView>
#include <QImage>

namespace quibbix {

// Decodes a PNG with libpng: opaque pictures as Format_RGB32, pictures with transparency as
// Format_ARGB32, as Qt's own reader gives them. Unlike Qt's reader it touches no state of the
// application (no image plugins, no library paths), so it may run on any thread, also while the
// application object is being made. A null image if `png` is not a PNG it can read.
QImage readPng(QByteArrayView png);

}  // namespace quibbix
