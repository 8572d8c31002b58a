#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <queue>
#include <string>
#include <vector>

#include "tests/skin/SkinFiles.h"

namespace quibbix::skin_test {
namespace {

struct PictureRow {
    const char* file;
    int width;
    int height;
    bool hasAlpha;
    QRgb corner;  // pixel (0, 0): the key, the felt, or transparent
};

const QRgb Transparent = 0;

const PictureRow Pictures[] = {
    {"board.png", 789, 598, false, rgbOf(skin::BoardKey)},
    {"die1.png", 70, 67, false, rgbOf(skin::DieKey)},
    {"die2.png", 70, 67, false, rgbOf(skin::DieKey)},
    {"die3.png", 70, 67, false, rgbOf(skin::DieKey)},
    {"die4.png", 70, 67, false, rgbOf(skin::DieKey)},
    {"die5.png", 70, 67, false, rgbOf(skin::DieKey)},
    {"die6.png", 70, 67, false, rgbOf(skin::DieKey)},
    {"banner.png", 337, 64, false, rgbOf(skin::BannerKey)},
    {"roll.png", 121, 82, false, rgbOf(skin::FeltGreen)},
    {"roll_hover.png", 121, 82, false, rgbOf(skin::FeltGreen)},
    {"reset.png", 88, 67, false, rgbOf(skin::FeltGreen)},
    {"reset_hover.png", 88, 67, false, rgbOf(skin::FeltGreen)},
    {"quit.png", 88, 67, false, rgbOf(skin::FeltGreen)},
    {"quit_hover.png", 88, 67, false, rgbOf(skin::FeltGreen)},
    {"icon.png", 32, 32, true, Transparent},
    {"noentry.png", 32, 32, true, Transparent},
};

TEST(SkinPictures, EachHasItsSizeAlphaAndCornerPixel) {
    for (const PictureRow& row : Pictures) {
        SCOPED_TRACE(row.file);
        const QImage picture = committedPicture(row.file);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.width(), row.width);
        EXPECT_EQ(picture.height(), row.height);
        EXPECT_EQ(picture.hasAlphaChannel(), row.hasAlpha);
        if (row.hasAlpha) {
            EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
        } else {
            EXPECT_EQ(colorAt(picture, 0, 0), row.corner);
        }
    }
}

// --- The cut pictures: every pixel is the key or fully part of the shape ---

struct CutRow {
    const char* file;
    skin::Rgb key;
    int leastDistanceAtEdge;  // how far (largest channel difference) an edge pixel stays from the
                              // key
};

const CutRow CutPictures[] = {
    // The title bar's mid greys are the board's colours nearest to its purple key.
    {"board.png", skin::BoardKey, 20}, {"die1.png", skin::DieKey, 60},
    {"die2.png", skin::DieKey, 60},    {"die3.png", skin::DieKey, 60},
    {"die4.png", skin::DieKey, 60},    {"die5.png", skin::DieKey, 60},
    {"die6.png", skin::DieKey, 60},    {"banner.png", skin::BannerKey, 30},
};

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

TEST(SkinPictures, CutEdgesCarryNoFringeOfTheKey) {
    for (const CutRow& row : CutPictures) {
        SCOPED_TRACE(row.file);
        const QImage picture = committedPicture(row.file);
        const QRgb key = rgbOf(row.key);
        int nearest = 255;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb here = colorAt(picture, x, y);
                if (here == key)
                    continue;
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= picture.width() || ny >= picture.height())
                        continue;
                    if (colorAt(picture, nx, ny) == key) {
                        nearest = std::min(nearest, channelDistance(here, key));
                    }
                }
            }
        }
        EXPECT_GE(nearest, row.leastDistanceAtEdge);
    }
}

// --- The pictures drawn at 2x ---

std::string twoX(const std::string& file) {
    return file.substr(0, file.rfind('.')) + "@2x.png";
}

bool isCut(const std::string& file) {
    return std::any_of(std::begin(CutPictures), std::end(CutPictures),
                       [&file](const CutRow& row) { return file == row.file; });
}

// Each picture of the window is drawn again for screens of two device pixels to a pixel: twice the
// size, the same corner, the shape of a cut picture exactly the 1x shape scaled (outlines and hit
// areas stay those of 1x), and drawn for its size, not the 1x picture enlarged.
TEST(SkinPictures, EachWindowPictureIsDrawnAgainAt2xWithTheOutlineScaled) {
    for (const PictureRow& row : Pictures) {
        if (row.hasAlpha) {
            continue;  // the icon and the pointer are not pictures of the window
        }
        SCOPED_TRACE(row.file);
        const QImage one = committedPicture(row.file);
        const QImage two = committedPicture(twoX(row.file));
        ASSERT_EQ(two.size(), one.size() * 2);
        EXPECT_FALSE(two.hasAlphaChannel());
        EXPECT_EQ(colorAt(two, 0, 0), row.corner);
        const bool cut = isCut(row.file);
        int outlineMismatches = 0;
        int unlikeEnlargement = 0;
        for (int y = 0; y < two.height(); ++y) {
            for (int x = 0; x < two.width(); ++x) {
                const QRgb here = colorAt(two, x, y);
                const QRgb below = colorAt(one, x / 2, y / 2);
                if (cut && (here == row.corner) != (below == row.corner)) {
                    ++outlineMismatches;
                }
                if (here != below) {
                    ++unlikeEnlargement;
                }
            }
        }
        EXPECT_EQ(outlineMismatches, 0);
        EXPECT_GT(unlikeEnlargement, two.width() * two.height() / 20);
    }
}

// --- The board ---

TEST(SkinBoard, TopTwoRowsAreKeyAndEveryOtherRowIsOneRun) {
    const QImage board = committedPicture("board.png");
    const QRgb key = rgbOf(skin::BoardKey);
    EXPECT_EQ(runsInRow(board, 0, key), 0);
    EXPECT_EQ(runsInRow(board, 1, key), 0);
    for (int y = 2; y < board.height(); ++y) {
        EXPECT_EQ(runsInRow(board, y, key), 1) << "row " << y;
    }
}

TEST(SkinBoard, CornersAreCurvedAndTheEdgesMeetTheOutline) {
    const QImage board = committedPicture("board.png");
    const QRgb key = rgbOf(skin::BoardKey);
    for (const auto& [x, y] : {std::pair{0, 2}, {788, 2}, {0, 597}, {788, 597}}) {
        EXPECT_EQ(colorAt(board, x, y), key) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{394, 2}, {0, 300}, {788, 300}, {394, 597}}) {
        EXPECT_NE(colorAt(board, x, y), key) << x << "," << y;
    }
}

struct Area {
    const char* what;
    int left;
    int top;
    int right;   // inclusive
    int bottom;  // inclusive
};

bool allPixelsAre(const QImage& picture, const Area& area, QRgb color) {
    for (int y = area.top; y <= area.bottom; ++y) {
        for (int x = area.left; x <= area.right; ++x) {
            if (colorAt(picture, x, y) != color)
                return false;
        }
    }
    return true;
}

TEST(SkinBoard, ButtonsStandOnPlainFeltAndScoresOnPlainWhite) {
    const QImage board = committedPicture("board.png");
    const Area felt[] = {
        {"Roll", 439, 490, 559, 571},
        {"Reset", 573, 501, 660, 567},
        {"Quit", 676, 501, 763, 567},
    };
    for (const Area& area : felt) {
        EXPECT_TRUE(allPixelsAre(board, area, rgbOf(skin::FeltGreen))) << area.what;
    }
    const Area white[] = {
        {"score column", 159, 67, 198, 362},
        {"name column left of the captions", 39, 67, 60, 130},
    };
    for (const Area& area : white) {
        EXPECT_TRUE(allPixelsAre(board, area, qRgb(255, 255, 255))) << area.what;
    }
}

TEST(SkinBoard, TitleBarRunsFromGreyToBlackAndCarriesItsButtons) {
    const QImage board = committedPicture("board.png");
    const QColor top = QColor::fromRgb(board.pixel(400, 4));
    const QColor bottom = QColor::fromRgb(board.pixel(400, 33));
    EXPECT_GT(top.lightness(), 120);
    EXPECT_LT(bottom.lightness(), 20);
    const QColor close = QColor::fromRgb(board.pixel(757, 25));
    EXPECT_GT(close.red(), 150);
    EXPECT_LT(close.green(), 80);
    const QColor cross = QColor::fromRgb(board.pixel(764, 20));
    EXPECT_GT(cross.lightness(), 200);
    const QColor minimise = QColor::fromRgb(board.pixel(729, 15));
    EXPECT_LT(std::abs(minimise.red() - minimise.blue()), 20);
    EXPECT_LT(minimise.lightness(), 140);
    EXPECT_EQ(colorAt(board, 300, 35), rgbOf(skin::FeltGreen));
}

// --- The die faces ---

TEST(SkinDice, KeyOnlyInTheFourCornersAndOneRunPerRow) {
    const int corner = 12;
    for (int pips = 1; pips <= 6; ++pips) {
        SCOPED_TRACE(pips);
        const QImage face = committedPicture("die" + std::to_string(pips) + ".png");
        const QRgb key = rgbOf(skin::DieKey);
        int keyInCorner[4] = {0, 0, 0, 0};
        for (int y = 0; y < face.height(); ++y) {
            EXPECT_EQ(runsInRow(face, y, key), 1) << "row " << y;
            for (int x = 0; x < face.width(); ++x) {
                if (colorAt(face, x, y) != key)
                    continue;
                const bool left = x < corner;
                const bool right = x >= face.width() - corner;
                const bool top = y < corner;
                const bool bottom = y >= face.height() - corner;
                ASSERT_TRUE((left || right) && (top || bottom)) << "key at " << x << "," << y;
                ++keyInCorner[(right ? 1 : 0) + (bottom ? 2 : 0)];
            }
        }
        for (const int count : keyInCorner) EXPECT_GT(count, 0);
    }
}

// Counts white pips as connected blobs of near-white pixels.
int countPips(const QImage& face) {
    std::vector<bool> seen(face.width() * face.height(), false);
    auto white = [&face](int x, int y) {
        return QColor::fromRgb(face.pixel(x, y)).lightness() > 200;
    };
    int pips = 0;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if (seen[y * face.width() + x] || !white(x, y))
                continue;
            ++pips;
            std::queue<std::pair<int, int>> open;
            open.push({x, y});
            seen[y * face.width() + x] = true;
            while (!open.empty()) {
                const auto [cx, cy] = open.front();
                open.pop();
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = cx + dx;
                    const int ny = cy + dy;
                    if (nx < 0 || ny < 0 || nx >= face.width() || ny >= face.height())
                        continue;
                    if (seen[ny * face.width() + nx] || !white(nx, ny))
                        continue;
                    seen[ny * face.width() + nx] = true;
                    open.push({nx, ny});
                }
            }
        }
    }
    return pips;
}

TEST(SkinDice, EachFaceShowsItsNumberOfWhitePipsOnRed) {
    for (int pips = 1; pips <= 6; ++pips) {
        SCOPED_TRACE(pips);
        const QImage face = committedPicture("die" + std::to_string(pips) + ".png");
        EXPECT_EQ(countPips(face), pips);
        const QColor body = QColor::fromRgb(face.pixel(35, 6));
        EXPECT_GT(body.red(), 150);
        EXPECT_LT(body.green(), 90);
    }
}

// --- The banner ---

// Key pixels that cannot be reached from the picture's border through key pixels: the holes.
int enclosedKeyPixels(const QImage& picture, QRgb key) {
    const int width = picture.width();
    const int height = picture.height();
    std::vector<bool> outside(width * height, false);
    std::queue<std::pair<int, int>> open;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        if (outside[y * width + x] || colorAt(picture, x, y) != key)
            return;
        outside[y * width + x] = true;
        open.push({x, y});
    };
    for (int x = 0; x < width; ++x) {
        visit(x, 0);
        visit(x, height - 1);
    }
    for (int y = 0; y < height; ++y) {
        visit(0, y);
        visit(width - 1, y);
    }
    while (!open.empty()) {
        const auto [x, y] = open.front();
        open.pop();
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    int holes = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (colorAt(picture, x, y) == key && !outside[y * width + x])
                ++holes;
        }
    }
    return holes;
}

TEST(SkinBanner, LettersAreYellowAndTheirInsidesAreHoles) {
    const QImage banner = committedPicture("banner.png");
    EXPECT_GT(enclosedKeyPixels(banner, rgbOf(skin::BannerKey)), 30);
    int yellow = 0;
    for (int y = 0; y < banner.height(); ++y) {
        for (int x = 0; x < banner.width(); ++x) {
            const QColor here = QColor::fromRgb(banner.pixel(x, y));
            if (here.red() > 220 && here.green() > 150 && here.blue() < 120)
                ++yellow;
        }
    }
    EXPECT_GT(yellow, banner.width() * banner.height() / 10);
}

// --- The buttons ---

TEST(SkinButtons, EdgesAreExactlyFeltGreen) {
    for (const char* file : {"roll.png", "roll_hover.png", "reset.png", "reset_hover.png",
                             "quit.png", "quit_hover.png"}) {
        SCOPED_TRACE(file);
        const QImage button = committedPicture(file);
        const QRgb felt = rgbOf(skin::FeltGreen);
        const int right = button.width() - 1;
        const int bottom = button.height() - 1;
        EXPECT_TRUE(allPixelsAre(button, {"top", 0, 0, right, 1}, felt));
        EXPECT_TRUE(allPixelsAre(button, {"bottom", 0, bottom - 1, right, bottom}, felt));
        EXPECT_TRUE(allPixelsAre(button, {"left", 0, 0, 1, bottom}, felt));
        EXPECT_TRUE(allPixelsAre(button, {"right", right - 1, 0, right, bottom}, felt));
    }
}

struct LitRow {
    const char* file;
    int x;
    int y;
    bool (*looks)(const QColor&);
    const char* what;
};

const LitRow LitButtons[] = {
    {"reset.png", 20, 40, [](const QColor& c) { return c.green() > c.red() + 60; }, "dim green"},
    {"quit.png", 20, 40, [](const QColor& c) { return c.green() > c.red() + 60; }, "dim green"},
    {"reset_hover.png", 20, 40,
     [](const QColor& c) { return c.red() > 200 && c.green() > 150 && c.blue() < 120; }, "yellow"},
    {"quit_hover.png", 20, 40, [](const QColor& c) { return c.red() > 200 && c.green() < 120; },
     "red"},
};

TEST(SkinButtons, NormalIsDimGreenAndHoverIsLit) {
    for (const LitRow& row : LitButtons) {
        const QColor here = QColor::fromRgb(committedPicture(row.file).pixel(row.x, row.y));
        EXPECT_TRUE(row.looks(here)) << row.file << " should be " << row.what << " at " << row.x
                                     << "," << row.y << " but is " << here.name().toStdString();
    }
}

// --- The icon and the no-entry pointer ---

TEST(SkinIcon, TwoRedDiceOnTransparency) {
    const QImage icon = committedPicture("icon.png");
    for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
        EXPECT_EQ(qAlpha(icon.pixel(x, y)), 0) << x << "," << y;
    }
    int red = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor here = QColor::fromRgba(icon.pixel(x, y));
            if (here.alpha() == 255 && here.red() > 150 && here.green() < 80)
                ++red;
        }
    }
    EXPECT_GT(red, 200);
}

struct PointerPixel {
    int x;
    int y;
    const char* what;
    int alpha;
    int lightnessAtLeast;
    int lightnessAtMost;
};

const PointerPixel PointerPixels[] = {
    {0, 0, "corner", 0, 0, 255},
    {31, 31, "corner", 0, 0, 255},
    {skin::NoEntryHotSpotX, skin::NoEntryHotSpotY, "bar at the hot spot", 255, 230, 255},
    {16, 4, "ring, top", 255, 230, 255},
    {16, 26, "ring, bottom", 255, 230, 255},
    {16, 2, "outline above the ring", 255, 0, 60},
    {20, 11, "inside the ring beside the bar", 0, 0, 255},
    {12, 19, "inside the ring beside the bar", 0, 0, 255},
};

TEST(SkinPointer, WhiteRingAndBarOutlinedInBlackAroundTheHotSpot) {
    const QImage pointer = committedPicture("noentry.png");
    for (const PointerPixel& row : PointerPixels) {
        SCOPED_TRACE(std::string(row.what) + " " + std::to_string(row.x) + "," +
                     std::to_string(row.y));
        const QColor here = QColor::fromRgba(pointer.pixel(row.x, row.y));
        EXPECT_EQ(here.alpha(), row.alpha);
        if (row.alpha == 255) {
            EXPECT_GE(here.lightness(), row.lightnessAtLeast);
            EXPECT_LE(here.lightness(), row.lightnessAtMost);
        }
    }
}

}  // namespace
}  // namespace quibbix::skin_test
