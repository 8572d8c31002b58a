// Fuzzes the skin's PNG reader with whole files: each must decode or be refused cleanly, and what
// it decodes Qt's own reader must decode to the same pixels.
#include <png.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "window/PngReader.h"

namespace {

void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

uint32_t crc32(const char* bytes, qsizetype size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i) {
        c = table[(c ^ static_cast<uint8_t>(bytes[i])) & 0xFFu] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

// The same file with every whole chunk's checksum made right:
// nearly every mutation breaks a checksum, and libpng would refuse the file before it reads what
// was changed.
QByteArray withRightChecksums(QByteArray png) {
    qsizetype at = 8;
    while (png.size() - at >= 12) {
        const auto* p = reinterpret_cast<const uint8_t*>(png.constData() + at);
        const uint32_t length =
            uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
        if (length > png.size() - at - 12) {
            break;
        }
        const uint32_t crc = crc32(png.constData() + at + 4, qsizetype{length} + 4);
        const qsizetype crcAt = at + 8 + length;
        for (int i = 0; i < 4; ++i) {
            png[crcAt + i] = static_cast<char>(crc >> (24 - 8 * i));
        }
        at = crcAt + 4;
    }
    return png;
}

QImage readWithQt(const QByteArray& png) {
    QBuffer buffer;
    buffer.setData(png);
    QImageReader reader(&buffer, "PNG");
    return reader.read();
}

// Whether libpng reads the whole file, every row and every chunk up to IEND, without an error or a
// warning, benign ones included. Only such a file has one right picture; a damaged one (a checksum
// wrong, the pixel data short, a palette index beyond the palette, ...) may be refused or read to
// different pixels by either reader, and there only memory safety counts.
struct StrictRead {
    const QByteArray* png = nullptr;
    qsizetype at = 0;
    bool complained = false;
};

bool readsCleanly(const QByteArray& png) {
    StrictRead read{&png};
    png_structp reader = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, &read,
        [](png_structp r, png_const_charp) {
            static_cast<StrictRead*>(png_get_error_ptr(r))->complained = true;
            png_longjmp(r, 1);
        },
        [](png_structp r, png_const_charp) {
            static_cast<StrictRead*>(png_get_error_ptr(r))->complained = true;
        });
    png_infop info = png_create_info_struct(reader);
    if (setjmp(png_jmpbuf(reader)) == 0) {
        png_set_benign_errors(reader, 0);
        // Beyond what the fuzzer's memory allows for a second copy of the pixels.
        png_set_user_limits(reader, 4096, 4096);
        png_set_read_fn(reader, &read, [](png_structp r, png_bytep to, size_t size) {
            auto* from = static_cast<StrictRead*>(png_get_io_ptr(r));
            if (from->png->size() - from->at < static_cast<qsizetype>(size)) {
                png_error(r, "the file ends early");
            }
            std::memcpy(to, from->png->constData() + from->at, size);
            from->at += static_cast<qsizetype>(size);
        });
        png_read_png(reader, info, PNG_TRANSFORM_IDENTITY, nullptr);
    } else {
        read.complained = true;
    }
    png_destroy_read_struct(&reader, &info, nullptr);
    return !read.complained;
}

// Whether the file states its own gamma (gAMA): libpng's simplified reader then brings the samples
// to sRGB, as PNG asks, where Qt keeps them as stored; the pixels may then differ.
bool statesItsGamma(const QByteArray& png) {
    for (qsizetype at = 8; png.size() - at >= 12;) {
        const auto* p = reinterpret_cast<const uint8_t*>(png.constData() + at);
        if (std::memcmp(p + 4, "gAMA", 4) == 0) {
            return true;
        }
        const uint32_t length =
            uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
        if (length > png.size() - at - 12) {
            return false;
        }
        at += 12 + qsizetype{length};
    }
    return false;
}

bool everyPixelOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 255) {
                return false;
            }
        }
    }
    return true;
}

// The rule: ours may refuse any file, and must never misbehave on one (the sanitizers watch). What
// ours decodes from a file libpng reads cleanly, Qt's reader must decode too (unless the picture
// is beyond Qt's allocation limit), to the same size and the same pixels: Format_ARGB32 exactly
// when Qt's picture has an alpha channel, Format_RGB32 otherwise (or ARGB32 with every pixel
// opaque). Where Qt gives a 32-bit picture itself (8-bit RGB or RGBA, as every skin picture is) the
// format must be the same; other kinds (palette, grey, fewer or more bits) Qt keeps in a format of
// their own, and the pixels are compared after converting both.
void compareWithQt(const QByteArray& png) {
    const QImage ours = quibbix::readPng(png);
    if (ours.isNull()) {
        return;
    }
    if (ours.format() != QImage::Format_RGB32 && ours.format() != QImage::Format_ARGB32) {
        finding("ours gives a format other than RGB32 or ARGB32");
    }
    if (!readsCleanly(png)) {
        return;
    }
    QImage qts = readWithQt(png);
    if (qts.isNull()) {
        if (ours.sizeInBytes() > qsizetype{QImageReader::allocationLimit()} * 1024 * 1024) {
            return;
        }
        finding("ours decodes a picture Qt refuses");
    }
    if (ours.size() != qts.size()) {
        finding("ours and Qt give different sizes");
    }
    // A file may carry transparency that no pixel uses (a tRNS chunk of opaque entries): ours
    // then reads it with alpha, Qt without; the pixels are the same.
    const bool oursTransparent = ours.format() == QImage::Format_ARGB32;
    if (oursTransparent != qts.hasAlphaChannel() && !(oursTransparent && everyPixelOpaque(ours))) {
        finding("ours and Qt disagree on transparency");
    }
    const bool qtsIs32Bit =
        qts.format() == QImage::Format_RGB32 || qts.format() == QImage::Format_ARGB32;
    if (qtsIs32Bit && ours.format() != qts.format() && !everyPixelOpaque(ours)) {
        finding("ours and Qt give different formats");
    }
    if (!statesItsGamma(png) &&
        ours.convertToFormat(QImage::Format_ARGB32) != qts.convertToFormat(QImage::Format_ARGB32)) {
        finding("ours and Qt give different pixels");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QByteArray png(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    compareWithQt(png);
    const QByteArray mended = withRightChecksums(png);
    if (mended != png) {
        compareWithQt(mended);
    }
    return 0;
}
