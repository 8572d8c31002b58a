#include "window/PngReader.h"

#include <png.h>

namespace quibbix {

QImage readPng(QByteArrayView png) {
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&reader, png.data(), static_cast<size_t>(png.size())) ==
        0) {
        return {};
    }
    const bool transparent = (reader.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    // QImage's 32-bit pixels are 0xAARRGGBB in a native integer. An opaque picture is read with
    // an alpha of 255, which is what Format_RGB32 keeps in that byte.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    reader.format = PNG_FORMAT_BGRA;
#else
    reader.format = PNG_FORMAT_ARGB;
#endif
    QImage image(static_cast<int>(reader.width), static_cast<int>(reader.height),
                 transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    // The row stride is counted in components, which are bytes at 8 bits each.
    if (image.isNull() ||
        png_image_finish_read(&reader, nullptr, image.bits(),
                              static_cast<png_int_32>(image.bytesPerLine()), nullptr) == 0) {
        png_image_free(&reader);
        return {};
    }
    return image;
}

}  // namespace quibbix
