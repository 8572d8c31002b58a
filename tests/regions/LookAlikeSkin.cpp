#include "tests/regions/LookAlikeSkin.h"

#include <array>
#include <utility>

namespace quibbix {

namespace {

bool insideCircle(int x, int y, int centreX, int centreY, int radius) {
    const int dx = x - centreX;
    const int dy = y - centreY;
    return dx * dx + dy * dy <= radius * radius;
}

// Paints `colour` over the pixels of each corner square of the area that lie outside the corner's
// quarter circle, which rounds the area's corners.
void cutCorners(QImage& image, int top, int radius, QRgb colour) {
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const std::array<std::pair<int, int>, 4> centres = {{{radius, top + radius},
                                                         {right - radius, top + radius},
                                                         {radius, bottom - radius},
                                                         {right - radius, bottom - radius}}};
    for (const auto& [centreX, centreY] : centres) {
        const int fromX = centreX == radius ? 0 : centreX;
        const int fromY = centreY == top + radius ? top : centreY;
        for (int y = fromY; y <= fromY + radius; ++y) {
            for (int x = fromX; x <= fromX + radius; ++x) {
                if (!insideCircle(x, y, centreX, centreY, radius)) {
                    image.setPixel(x, y, colour);
                }
            }
        }
    }
}

void fillRect(QImage& image, int left, int top, int right, int bottom, QRgb colour) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            image.setPixel(x, y, colour);
        }
    }
}

void fillCircle(QImage& image, int centreX, int centreY, int radius, QRgb colour) {
    for (int y = centreY - radius; y <= centreY + radius; ++y) {
        for (int x = centreX - radius; x <= centreX + radius; ++x) {
            if (image.valid(x, y) && insideCircle(x, y, centreX, centreY, radius)) {
                image.setPixel(x, y, colour);
            }
        }
    }
}

}  // namespace

QImage lookAlikeBoard() {
    const QRgb key = qRgb(153, 102, 153);
    const QRgb felt = qRgb(0, 102, 0);
    QImage board(789, 598, QImage::Format_RGB32);
    board.fill(felt);

    for (int y = 2; y <= 34; ++y) {
        const int grey = 190 - (y - 2) * 5;
        fillRect(board, 0, y, 788, y, qRgb(grey, grey, grey));
    }
    fillRect(board, 726, 10, 743, 29, qRgb(70, 70, 70));
    fillRect(board, 755, 10, 772, 29, qRgb(200, 20, 20));
    for (int i = 0; i < 12; ++i) {
        board.setPixel(758 + i, 13 + i, qRgb(255, 255, 255));
        board.setPixel(769 - i, 13 + i, qRgb(255, 255, 255));
    }

    fillCircle(board, 500, 300, 120, qRgb(0, 90, 0));
    fillCircle(board, 500, 300, 100, felt);
    fillRect(board, 0, 35, 3, 597, qRgb(60, 150, 60));
    fillRect(board, 785, 35, 788, 597, qRgb(0, 60, 0));
    fillRect(board, 0, 594, 788, 597, qRgb(0, 60, 0));

    fillRect(board, 31, 61, 216, 410, qRgb(0, 50, 0));
    fillRect(board, 27, 57, 212, 406, qRgb(255, 255, 255));
    for (int row = 0; row <= 13; ++row) {
        fillRect(board, 38, 67 + 21 * row, 199, 67 + 21 * row, qRgb(0, 0, 0));
    }

    fillRect(board, 15, 483, 431, 584, qRgb(0, 40, 0));
    fillRect(board, 21, 489, 425, 578, qRgb(0, 80, 0));

    for (int y = 0; y <= 1; ++y) {
        fillRect(board, 0, y, 788, y, key);
    }
    cutCorners(board, 2, 14, key);
    return board;
}

QImage lookAlikeDie(int pips) {
    QImage die(70, 67, QImage::Format_RGB32);
    die.fill(qRgb(120, 0, 0));
    fillRect(die, 3, 3, 66, 63, qRgb(210, 20, 20));

    const int left = 18;
    const int middleX = 35;
    const int right = 52;
    const int top = 17;
    const int middleY = 33;
    const int bottom = 50;
    std::array<std::pair<int, int>, 6> spots{};
    int count = 0;
    auto add = [&](int x, int y) { spots[static_cast<size_t>(count++)] = {x, y}; };
    if (pips % 2 == 1) {
        add(middleX, middleY);
    }
    if (pips >= 2) {
        add(left, top);
        add(right, bottom);
    }
    if (pips >= 4) {
        add(right, top);
        add(left, bottom);
    }
    if (pips == 6) {
        add(left, middleY);
        add(right, middleY);
    }
    for (int i = 0; i < count; ++i) {
        fillCircle(die, spots[static_cast<size_t>(i)].first, spots[static_cast<size_t>(i)].second,
                   5, qRgb(255, 255, 255));
    }

    cutCorners(die, 0, 9, qRgb(0, 0, 0));
    return die;
}

QImage lookAlikeBanner() {
    QImage banner(337, 64, QImage::Format_RGB32);
    banner.fill(qRgb(0, 0, 0));
    for (int letter = 0; letter < 9; ++letter) {
        const int centreX = 24 + letter * 36;
        fillCircle(banner, centreX, 32, 17, qRgb(90, 60, 0));
        fillCircle(banner, centreX, 32, 15, qRgb(255, 220, 0));
        fillCircle(banner, centreX, 32, 7, qRgb(0, 0, 0));
    }
    return banner;
}

}  // namespace quibbix
