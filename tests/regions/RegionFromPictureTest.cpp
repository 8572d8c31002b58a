#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <random>
#include <string>
#include <vector>

#include "platform/Twips.h"
#include "tests/regions/LookAlikeSkin.h"
#include "tests/regions/PixelRows.h"
#include "tests/regions/SlowReferenceRegion.h"
#include "window/RegionFromPicture.h"

namespace quibbix {
namespace {

const QRgb Mauve = qRgb(153, 102, 153);
const QRgb Felt = qRgb(0, 102, 0);
const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Slate = qRgb(10, 20, 30);
const QRgb Umber = qRgb(30, 20, 10);

constexpr int32_t MauveValue = 0x996699;
constexpr int32_t WhiteValue = 0xFFFFFF;
constexpr int32_t SlateValue = 0x1E140A;

// A small picture drawn as text: '.' mauve, '#' felt green, 'k' black, 'w' white, 's' slate,
// 'u' umber (slate with red and blue swapped).
QImage pictureOf(const std::vector<std::string>& rows) {
    QImage picture(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
                   QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const char cell = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            picture.setPixel(x, y,
                             cell == '.'   ? Mauve
                             : cell == '#' ? Felt
                             : cell == 'k' ? Black
                             : cell == 's' ? Slate
                             : cell == 'u' ? Umber
                                           : White);
        }
    }
    return picture;
}

int twips(int pixels) {
    return pixels * TwipsPerPixel;
}

// The region of a picture scanned at its own size, with the key found at pixel (0, 0).
QRegion detectedShape(const QImage& picture) {
    int32_t key = 0;
    return regionFromPicture(picture, twips(picture.width()), twips(picture.height()), key);
}

TEST(ColourValue, PutsRedLowBlueHighAndDropsAlpha) {
    struct Case {
        QRgb pixel;
        int32_t value;
    };
    const Case cases[] = {
        {qRgb(153, 102, 153), 0x996699},
        {qRgb(1, 2, 3), 0x030201},
        {qRgba(1, 2, 3, 0), 0x030201},
        {qRgba(255, 255, 255, 255), 0xFFFFFF},
        {qRgb(0, 0, 0), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(colourValue(c.pixel), c.value) << std::hex << c.pixel;
    }
}

TEST(RegionFromPicture, PictureAllKeyGivesEmptyRegion) {
    EXPECT_TRUE(detectedShape(pictureOf({"...", "...", "..."})).isEmpty());
}

TEST(RegionFromPicture, PictureWithoutKeyGivesOneFullWidthRunPerRow) {
    const QImage picture = pictureOf({"#k#w", "kkkk", "w#w#"});
    int32_t key = MauveValue;
    const QRegion region = regionFromPicture(picture, twips(4), twips(3), key);
    EXPECT_EQ(pixelRowsOf(region), (PixelRows{{0, {{0, 4}}}, {1, {{0, 4}}}, {2, {{0, 4}}}}));
}

TEST(RegionFromPicture, EnclosedKeyPixelsStayHoles) {
    const QRegion region = detectedShape(pictureOf({
        ".....",
        ".###.",
        ".#.#.",
        ".###.",
        ".....",
    }));
    EXPECT_EQ(pixelRowsOf(region),
              (PixelRows{{1, {{1, 4}}}, {2, {{1, 2}, {3, 4}}}, {3, {{1, 4}}}}));
    EXPECT_EQ(bandingFault(region), "");
}

TEST(RegionFromPicture, KeyBelowOneIsDetectedAndHandedBackOtherKeysAreUsedAsGiven) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        int32_t givenKey;
        int32_t keyAfter;
        PixelRows shape;
    };
    const Case cases[] = {
        {"zero detects the board colour",
         {".#.", "##."},
         0,
         MauveValue,
         {{0, {{1, 2}}}, {1, {{0, 2}}}}},
        {"negative detects too", {".#.", "##."}, -7, MauveValue, {{0, {{1, 2}}}, {1, {{0, 2}}}}},
        {"black is found only by detection", {"k#k", "##k"}, 0, 0, {{0, {{1, 2}}}, {1, {{0, 2}}}}},
        {"a given key is used, not pixel (0, 0)",
         {".w.", "ww#"},
         WhiteValue,
         WhiteValue,
         {{0, {{0, 1}, {2, 3}}}, {1, {{2, 3}}}}},
        {"a given key has red in its low byte",
         {"su", "us"},
         SlateValue,
         SlateValue,
         {{0, {{1, 2}}}, {1, {{0, 1}}}}},
        {"one is the smallest given key", {"kk", "kk"}, 1, 1, {{0, {{0, 2}}}, {1, {{0, 2}}}}},
        {"a key with bits above the colour matches nothing",
         {"..", ".."},
         0x01996699,
         0x01996699,
         {{0, {{0, 2}}}, {1, {{0, 2}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage picture = pictureOf(c.picture);
        int32_t key = c.givenKey;
        const QRegion region =
            regionFromPicture(picture, twips(picture.width()), twips(picture.height()), key);
        EXPECT_EQ(key, c.keyAfter);
        EXPECT_EQ(pixelRowsOf(region), c.shape);
    }
}

// Twips never fall exactly on a half pixel at 15 twips a pixel, so these check that the scan size
// is rounded to the nearest pixel rather than cut off or rounded up.
TEST(RegionFromPicture, ScanSizeIsTheOuterSizeInNearestWholePixels) {
    struct Case {
        int32_t widthTwips;
        int32_t heightTwips;
        QRect scanned;
    };
    const Case cases[] = {
        {1050, 1005, QRect(0, 0, 70, 67)},  // a die
        {1462, 22, QRect(0, 0, 97, 1)},     // 97.47 x 1.47
        {1463, 23, QRect(0, 0, 98, 2)},     // 97.53 x 1.53
        {7, 15, QRect()},                   // under half a pixel wide
        {-150, 150, QRect()},
        {150, 0, QRect()},
    };
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Felt);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.widthTwips << " x " << c.heightTwips << " twips");
        int32_t key = WhiteValue;
        const QRegion region = regionFromPicture(picture, c.widthTwips, c.heightTwips, key);
        EXPECT_EQ(pixelRowsOf(region), pixelRowsOf(QRegion(c.scanned)));
    }
}

TEST(RegionFromPicture, ScanPastThePictureTakesInTheMargin) {
    const QImage picture = pictureOf({"..#", "#.."});
    int32_t key = 0;
    const QRegion region = regionFromPicture(picture, twips(5), twips(4), key);
    EXPECT_EQ(pixelRowsOf(region),
              (PixelRows{{0, {{2, 5}}}, {1, {{0, 1}, {3, 5}}}, {2, {{0, 5}}}, {3, {{0, 5}}}}));
    EXPECT_EQ(bandingFault(region), "");
}

TEST(RegionFromPicture, ScanSmallerThanThePictureLeavesTheRestOut) {
    const QImage picture = pictureOf({".#.#", "#..#", "####"});
    int32_t key = 0;
    const QRegion region = regionFromPicture(picture, twips(3), twips(2), key);
    EXPECT_EQ(pixelRowsOf(region), (PixelRows{{0, {{1, 2}}}, {1, {{0, 1}}}}));
}

TEST(RegionFromPicture, NullPictureGivesEmptyRegion) {
    int32_t detected = 0;
    EXPECT_TRUE(regionFromPicture(QImage(), twips(70), twips(67), detected).isEmpty());
    EXPECT_EQ(detected, -1);

    int32_t given = MauveValue;
    EXPECT_TRUE(regionFromPicture(QImage(), twips(70), twips(67), given).isEmpty());
    EXPECT_EQ(given, MauveValue);
}

TEST(RegionFromPicture, AlphaPlaysNoPart) {
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(153, 102, 153, 255));
    picture.setPixel(1, 0, qRgba(153, 102, 153, 0));
    picture.setPixel(2, 0, qRgba(0, 102, 0, 0));
    EXPECT_EQ(pixelRowsOf(detectedShape(picture)), (PixelRows{{0, {{2, 3}}}}));
}

// Every storage format is read with the colours QImage::pixel reports, including the
// unpremultiplied colour of a half-transparent pixel.
TEST(RegionFromPicture, EveryPictureFormatGivesTheShapeOfItsPixels) {
    QImage source =
        pictureOf({"..#w.", ".k#w.", "wwkk#", "....."}).convertToFormat(QImage::Format_ARGB32);
    source.setPixel(4, 3, qRgba(90, 60, 30, 128));
    source.setPixel(1, 0, qRgba(153, 102, 153, 64));
    const QImage::Format formats[] = {
        QImage::Format_RGB32,      QImage::Format_ARGB32_Premultiplied,
        QImage::Format_RGB888,     QImage::Format_RGBA8888,
        QImage::Format_BGR888,     QImage::Format_Indexed8,
        QImage::Format_RGB16,      QImage::Format_RGBA64,
        QImage::Format_Grayscale8,
    };
    for (const QImage::Format format : formats) {
        SCOPED_TRACE(testing::Message() << "format " << format);
        const QImage picture = source.convertToFormat(format);
        int32_t key = 0;
        int32_t referenceKey = 0;
        const QRegion region = regionFromPicture(picture, twips(6), twips(4), key);
        const QRegion reference = slowReferenceRegion(picture, twips(6), twips(4), referenceKey);
        EXPECT_EQ(key, referenceKey);
        EXPECT_EQ(pixelRowsOf(region), pixelRowsOf(reference));
    }
}

TEST(RegionFromPicture, EachDieFaceGivesOneRunInEachOfItsRows) {
    for (int pips = 1; pips <= 6; ++pips) {
        SCOPED_TRACE(testing::Message() << pips << " pips");
        int32_t key = 0;
        const PixelRows rows = pixelRowsOf(regionFromPicture(lookAlikeDie(pips), 1050, 1005, key));
        EXPECT_EQ(key, 0);
        ASSERT_EQ(rows.size(), 67u);
        for (const auto& [y, runs] : rows) {
            EXPECT_EQ(runs.size(), 1u) << "row " << y;
        }
    }
}

TEST(RegionFromPicture, BannerLettersKeepTheirHoles) {
    const QRegion region = detectedShape(lookAlikeBanner());
    EXPECT_TRUE(region.contains(QPoint(24, 32 - 12)));
    EXPECT_FALSE(region.contains(QPoint(24, 32)));
}

void expectSameAsReference(const QImage& picture, int32_t widthTwips, int32_t heightTwips,
                           int32_t givenKey) {
    int32_t key = givenKey;
    int32_t referenceKey = givenKey;
    const QRegion region = regionFromPicture(picture, widthTwips, heightTwips, key);
    const QRegion reference = slowReferenceRegion(picture, widthTwips, heightTwips, referenceKey);
    EXPECT_EQ(key, referenceKey);
    EXPECT_EQ(pixelRowsOf(region), pixelRowsOf(reference));
    EXPECT_EQ(bandingFault(region), "");
}

TEST(RegionFromPicture, LookAlikeSkinMatchesThePixelByPixelScan) {
    const QImage board = lookAlikeBoard();
    {
        SCOPED_TRACE("board in its work box, four pixels of frame larger");
        expectSameAsReference(board, twips(789 + 4), twips(598 + 4), 0);
    }
    {
        SCOPED_TRACE("board at its own size");
        expectSameAsReference(board, twips(789), twips(598), 0);
    }
    {
        SCOPED_TRACE("banner");
        expectSameAsReference(lookAlikeBanner(), twips(337), twips(64), 0);
    }
    for (int pips = 1; pips <= 6; ++pips) {
        SCOPED_TRACE(testing::Message() << "die with " << pips << " pips");
        expectSameAsReference(lookAlikeDie(pips), 1050, 1005, 0);
    }
}

// A lone pixel of the other kind, at every column of rows long enough to hold several blocks of
// the row search, must be found wherever it falls: row c has it at column c.
TEST(RegionFromPicture, LonePixelIsFoundAtEveryColumn) {
    constexpr int Width = 300;
    QImage keyWithOneDot(Width, Width, QImage::Format_RGB32);
    keyWithOneDot.fill(Mauve);
    QImage plainWithOneHole(Width, Width, QImage::Format_RGB32);
    plainWithOneHole.fill(Felt);
    PixelRows dots;
    PixelRows holes;
    for (int c = 0; c < Width; ++c) {
        keyWithOneDot.setPixel(c, c, Felt);
        plainWithOneHole.setPixel(c, c, Mauve);
        dots[c] = {{c, c + 1}};
        holes[c] = {};
        if (c > 0) {
            holes[c].push_back({0, c});
        }
        if (c + 1 < Width) {
            holes[c].push_back({c + 1, Width});
        }
    }
    int32_t key = MauveValue;
    EXPECT_EQ(pixelRowsOf(regionFromPicture(keyWithOneDot, twips(Width), twips(Width), key)), dots);
    EXPECT_EQ(pixelRowsOf(regionFromPicture(plainWithOneHole, twips(Width), twips(Width), key)),
              holes);
}

// Pictures of few colours, with rows often repeating the row above and pixels often repeating
// the one to their left, scanned at sizes smaller and larger than the picture: short and long
// runs, holes, joined rows and margins.
TEST(RegionFromPicture, RandomPicturesMatchThePixelByPixelScan) {
    std::mt19937 random(20240611);
    const QRgb palette[] = {Mauve, Slate, Umber};
    const int32_t keys[] = {0, MauveValue, SlateValue, WhiteValue};
    auto below = [&](int limit) {
        return std::uniform_int_distribution<int>(0, limit - 1)(random);
    };
    for (int round = 0; round < 300; ++round) {
        QImage picture(1 + below(200), 1 + below(12), QImage::Format_RGB32);
        const int changeOneIn = 1 + below(16);
        for (int y = 0; y < picture.height(); ++y) {
            const bool repeatRow = y > 0 && below(2) == 0;
            for (int x = 0; x < picture.width(); ++x) {
                const bool repeatLeft = x > 0 && below(changeOneIn) != 0;
                picture.setPixel(x, y,
                                 repeatRow    ? picture.pixel(x, y - 1)
                                 : repeatLeft ? picture.pixel(x - 1, y)
                                              : palette[below(3)]);
            }
        }
        const int32_t widthTwips = below(twips(220));
        const int32_t heightTwips = below(twips(16));
        const int32_t key = keys[below(4)];
        SCOPED_TRACE(testing::Message() << "round " << round << ": " << picture.width() << " x "
                                        << picture.height() << " scanned at " << widthTwips << " x "
                                        << heightTwips << " twips, key " << key);
        expectSameAsReference(picture, widthTwips, heightTwips, key);
        if (HasFailure()) {
            break;
        }
    }
}

}  // namespace
}  // namespace quibbix
