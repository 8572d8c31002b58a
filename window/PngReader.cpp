#include "window/PngReader.h"

#include <png.h>

#include <QImageReader>
#include <QtEndian>
#include <cstring>

namespace quibbix {
namespace {

// Whether every chunk up to IEND lies whole within the file. libpng takes a chunk's length on
// trust and asks for that much memory before it reads the chunk: a file of 78 bytes claiming a
// 2 GB text chunk cost 2 GB.
bool chunksFitIn(QByteArrayView png) {
    constexpr qsizetype Signature = 8;
    constexpr qsizetype Frame = 12;  // length, type and checksum
    for (qsizetype at = Signature; png.size() - at >= Frame;) {
        const auto* chunk = reinterpret_cast<const uchar*>(png.data() + at);
        const quint32 length = qFromBigEndian<quint32>(chunk);
        if (length > static_cast<quint64>(png.size() - at - Frame)) {
            return false;
        }
        if (std::memcmp(chunk + 4, "IEND", 4) == 0) {
            return true;
        }
        at += Frame + length;
    }
    return false;  // no IEND: cut short
}

}  // namespace

QImage readPng(QByteArrayView png) {
    if (png.size() >= 8 && !chunksFitIn(png)) {
        return {};
    }
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&reader, png.data(), static_cast<size_t>(png.size())) ==
        0) {
        return {};
    }
    // Like Qt's own reader, refuse a picture beyond the allocation limit (256 MB unless the
    // program sets another) instead of asking for the memory a damaged header claims.
    const qint64 bytes = qint64{reader.width} * qint64{reader.height} * 4;
    const int limit = QImageReader::allocationLimit();
    if (limit > 0 && bytes > qint64{limit} * 1024 * 1024) {
        png_image_free(&reader);
        return {};
    }
    const bool transparent = (reader.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    // 16-bit samples are sRGB unless the file says otherwise, as Qt reads them; libpng would
    // otherwise take them for linear and brighten them on the way to 8 bits.
    reader.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
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
