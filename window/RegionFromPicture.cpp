#include "window/RegionFromPicture.h"

#include <QRect>
#include <algorithm>
#include <vector>

#include "platform/Twips.h"

namespace quibbix {

int32_t colourValue(QRgb pixel) {
    return static_cast<int32_t>(qRed(pixel) | (qGreen(pixel) << 8) | (qBlue(pixel) << 16));
}

namespace {

// What a read outside the picture gives; it equals no colour.
constexpr int32_t NoColour = -1;

// The colour bits of a 0xAARRGGBB word.
constexpr uint32_t ColourBits = 0x00FFFFFF;

// A key that no colour can equal (the colour bits of a word never reach the high byte).
constexpr uint32_t KeyMatchingNothing = 0xFFFFFFFF;

// A stretch of shape pixels in one row, from left up to, but not including, right.
struct Run {
    int left;
    int right;
    bool operator==(const Run&) const = default;
};

// The key as the colour bits of a 0xAARRGGBB word. A key with bits above the colour bits is
// still compared whole, so it matches nothing and every pixel belongs to the shape.
uint32_t KeyWord(int32_t keyColour) {
    const auto key = static_cast<uint32_t>(keyColour);
    if ((key & ~ColourBits) != 0) {
        return KeyMatchingNothing;
    }
    const uint32_t red = key & 0xFF;
    const uint32_t green = (key >> 8) & 0xFF;
    const uint32_t blue = (key >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

// The picture as 0xAARRGGBB words, so that rows can be compared a word at a time. Only a picture
// stored some other way is converted, once; the colours are those QImage::pixel reports.
QImage asArgbWords(const QImage& picture) {
    const QImage::Format format = picture.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) {
        return picture;
    }
    return picture.convertToFormat(QImage::Format_ARGB32);
}

bool isKey(QRgb word, uint32_t keyWord) {
    return (word & ColourBits) == keyWord;
}

// Edges are rare (most rows of the board are one run), so the row search skips whole blocks in
// which no pixel is of the kind looked for. The fixed-size loops over a block have no early exit
// and every lane yields all ones or all zeros, so they compile to one compare and one OR or AND
// per vector, with a single reduction at the end. 32 pixels (four AVX2 vectors) timed fastest on
// the board; 16, 64 and 128 were all slower.
constexpr int BlockSize = 32;

bool blockHasKey(const QRgb* block, uint32_t keyWord) {
    uint32_t anyKey = 0;
#pragma GCC unroll 4
    for (int i = 0; i < BlockSize; ++i) {
        anyKey |= isKey(block[i], keyWord) ? ~0u : 0u;
    }
    return anyKey != 0;
}

bool blockIsAllKey(const QRgb* block, uint32_t keyWord) {
    uint32_t allKey = ~0u;
#pragma GCC unroll 4
    for (int i = 0; i < BlockSize; ++i) {
        allKey &= isKey(block[i], keyWord) ? ~0u : 0u;
    }
    return allKey == ~0u;
}

// The first column from `from` on whose pixel is (or, with key false, is not) the key colour, or
// `columns` if there is none.
int findNext(const QRgb* row, int from, int columns, uint32_t keyWord, bool key) {
    int x = from;
    while (x + BlockSize <= columns &&
           !(key ? blockHasKey(row + x, keyWord) : !blockIsAllKey(row + x, keyWord))) {
        x += BlockSize;
    }
    while (x < columns && isKey(row[x], keyWord) != key) {
        ++x;
    }
    return x;
}

// On x86-64 the row search is also built for AVX2, twice as wide as the baseline SSE2, and the
// loader picks the build the processor can run. Flattening inlines the helpers into each build so
// that they are vectorised for it.
#if defined(__x86_64__) && defined(__clang__)
// Clang refuses flatten on a multiversioned function; it inlines the small helpers by itself.
#define QUIBBIX_ROW_SEARCH_BUILDS __attribute__((target_clones("avx2", "default")))
#elif defined(__x86_64__) && defined(__GNUC__)
#define QUIBBIX_ROW_SEARCH_BUILDS __attribute__((flatten, target_clones("avx2", "default")))
#else
#define QUIBBIX_ROW_SEARCH_BUILDS
#endif

// Appends the runs among the first `columns` pixels of a row.
QUIBBIX_ROW_SEARCH_BUILDS void FindRuns(const QRgb* row, int columns, uint32_t keyWord,
                                        std::vector<Run>& runs) {
    int x = 0;
    while (x < columns) {
        const int left = findNext(row, x, columns, keyWord, /*key=*/false);
        if (left == columns) {
            break;
        }
        const int right = findNext(row, left, columns, keyWord, /*key=*/true);
        runs.push_back({left, right});
        x = right;
    }
}

// Splits one row of the scan area into its runs: the picture's pixels, then any columns past
// the picture's right edge.
class RowScanner {
  public:
    RowScanner(int scanColumns, int pictureColumns, int32_t keyColour)
        : scanColumns_(scanColumns),
          readColumns_(std::min(scanColumns, pictureColumns)),
          keyWord_(KeyWord(keyColour)) {}

    void scan(const QRgb* row, std::vector<Run>& runs) const {
        runs.clear();
        FindRuns(row, readColumns_, keyWord_, runs);
        addMargin(runs);
    }

  private:
    // Columns past the picture's right edge read as no colour, so they always belong to the shape;
    // a run that reaches the edge goes on into them.
    void addMargin(std::vector<Run>& runs) const {
        if (scanColumns_ <= readColumns_) {
            return;
        }
        if (!runs.empty() && runs.back().right == readColumns_) {
            runs.back().right = scanColumns_;
        } else {
            runs.push_back({readColumns_, scanColumns_});
        }
    }

    const int scanColumns_;
    const int readColumns_;
    const uint32_t keyWord_;
};

// Gathers the runs row by row into the banded order QRegion::setRects requires (rectangles sorted
// by top, then left; one height per top; none touching side by side). A row whose runs equal those
// of the row just above joins its rectangles, so a plain stretch of rows costs one rectangle.
class BandedRects {
  public:
    explicit BandedRects(size_t expectedRects) { rects_.reserve(expectedRects); }

    void addRows(int top, int height, const std::vector<Run>& runs) {
        if (!runs.empty() && top == bandBottom_ && runs == bandRuns_) {
            bandBottom_ += height;
            return;
        }
        flush();
        bandRuns_ = runs;
        bandTop_ = top;
        bandBottom_ = top + height;
    }

    QRegion takeRegion() {
        flush();
        QRegion region;
        if (!rects_.empty()) {
            region.setRects(rects_.data(), static_cast<int>(rects_.size()));
        }
        return region;
    }

  private:
    void flush() {
        for (const Run& run : bandRuns_) {
            rects_.emplace_back(run.left, bandTop_, run.right - run.left, bandBottom_ - bandTop_);
        }
        bandRuns_.clear();
    }

    std::vector<QRect> rects_;
    std::vector<Run> bandRuns_;
    int bandTop_ = 0;
    int bandBottom_ = 0;
};

}  // namespace

QRegion regionFromPicture(const QImage& picture, int32_t widthTwips, int32_t heightTwips,
                          int32_t& keyColour) {
    if (picture.isNull()) {
        if (keyColour < 1) {
            keyColour = NoColour;
        }
        return {};
    }

    const QImage words = asArgbWords(picture);
    if (keyColour < 1) {
        keyColour = colourValue(words.pixel(0, 0));
    }

    const int rows = std::max(0, pixelsFromTwips(heightTwips));
    const int columns = std::max(0, pixelsFromTwips(widthTwips));
    if (rows == 0 || columns == 0) {
        return {};
    }

    const int pictureRows = std::min(rows, words.height());
    RowScanner scanner(columns, words.width(), keyColour);
    BandedRects bands(static_cast<size_t>(pictureRows) + 1);
    std::vector<Run> runs;
    for (int y = 0; y < pictureRows; ++y) {
        scanner.scan(reinterpret_cast<const QRgb*>(words.constScanLine(y)), runs);
        bands.addRows(y, 1, runs);
    }
    // Rows below the picture read as no colour from edge to edge, all alike.
    if (rows > pictureRows) {
        bands.addRows(pictureRows, rows - pictureRows, {{0, columns}});
    }
    return bands.takeRegion();
}

}  // namespace quibbix
