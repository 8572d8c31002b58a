#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>

#include "game/Box.h"
#include "tools/skin/Pictures.h"

namespace quibbix::skin_generator {

namespace {

QString label(const BoxCaption& caption) {
    return QString::fromUtf8(caption.label.data(), static_cast<qsizetype>(caption.label.size()));
}

const QSize boardSize(789, 598);
// The window's outline: the two top rows stay key, the four corners are curved.
const QRectF outline(0, 2, 789, 596);
const double outlineRadius = 14.0;
const int titleBarBottom = 34;
const QColor felt = colorOf(skin::FeltGreen);
// Light falls from the top left: a surface facing this way is lit.
const QPointF towardsLight(-std::numbers::sqrt2 / 2, -std::numbers::sqrt2 / 2);

double dot(QPointF a, QPointF b) {
    return a.x() * b.x() + a.y() * b.y();
}
double smoothEdge(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}
// The scale a board is drawn at, from its own size.
int scaleOf(const QImage& board) {
    return board.width() / boardSize.width();
}
// Where the centre of device pixel (x, y) of a board drawn at `scale` lies on the 1x board.
QPointF centreAt(int x, int y, int scale) {
    return {(x + 0.5) / scale, (y + 0.5) / scale};
}

void paintTitleBar(QImage& board, const Lettering& lettering) {
    QPainter painter(&board);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar(0, 0, boardSize.width(), titleBarBottom + 1);
    QLinearGradient gloss(0, 2, 0, titleBarBottom + 1);
    gloss.setColorAt(0.0, QColor(178, 180, 186));
    gloss.setColorAt(0.46, QColor(84, 86, 92));
    gloss.setColorAt(0.5, QColor(40, 41, 45));
    gloss.setColorAt(1.0, QColor(0, 0, 0));
    painter.fillRect(bar, gloss);
    painter.fillRect(QRectF(0, 2, boardSize.width(), 1), QColor(214, 216, 222));

    painter.save();
    painter.translate(9, 5);
    paintIconDice(painter, 25);
    painter.restore();

    const double middle = 2 + (titleBarBottom - 1) / 2.0;
    QPainterPath title = lettering.path("quibbix!", 21);
    title.translate(41 - title.boundingRect().left(), middle + lettering.capHeight(21) / 2);
    painter.fillPath(title.translated(1, 1.5), QColor(0, 0, 0, 170));
    painter.fillPath(title, Qt::white);

    // Minimise and close, each a small glossy tile under its hot spot.
    auto tile = [&painter](const QRectF& box, const QColor& top, const QColor& bottom,
                           const QColor& border) {
        QLinearGradient fill(box.topLeft(), box.bottomLeft());
        fill.setColorAt(0.0, top);
        fill.setColorAt(0.5, mix(top, bottom, 0.45));
        fill.setColorAt(0.52, mix(top, bottom, 0.7));
        fill.setColorAt(1.0, bottom);
        painter.setPen(QPen(border, 1.0));
        painter.setBrush(fill);
        painter.drawRoundedRect(box, 4, 4);
        painter.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);
    };
    const QRectF minimise(726.5, 10.5, 17, 19);
    tile(minimise, QColor(120, 122, 128), QColor(44, 45, 50), QColor(12, 12, 14));
    painter.fillRect(QRectF(730.5, 22.5, 9, 2.5), Qt::white);
    const QRectF close(755.5, 10.5, 17, 19);
    tile(close, QColor(255, 120, 104), QColor(178, 14, 12), QColor(70, 0, 0));
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(760, 15.5), QPointF(768, 24.5));
    painter.drawLine(QPointF(768, 15.5), QPointF(760, 24.5));
}

// Places `text` around a circle: over the top reading clockwise, or under the bottom reading from
// left to right, with the letters' feet towards the rim.
QPainterPath textOnArc(const Lettering& lettering, const QString& text, double pixelSize,
                       QPointF centre, double radius, bool overTheTop, double spacing) {
    const auto glyphs = lettering.glyphs(text, pixelSize);
    double length = 0.0;
    for (const auto& glyph : glyphs) length += glyph.advance + spacing;
    length -= spacing;
    QPainterPath arc;
    double along = 0.0;
    for (const auto& glyph : glyphs) {
        const double middle = along + glyph.advance / 2 - length / 2;
        const double degrees = middle / radius * 180.0 / std::numbers::pi;
        QTransform place;
        place.translate(centre.x(), centre.y());
        if (overTheTop) {
            place.rotate(degrees);
            place.translate(-glyph.advance / 2, -radius);
        } else {
            place.rotate(-degrees);
            place.translate(-glyph.advance / 2, radius + lettering.capHeight(pixelSize));
        }
        arc.addPath(place.map(glyph.outline));
        along += glyph.advance + spacing;
    }
    return arc;
}

QPainterPath disc(QPointF centre, double radius) {
    QPainterPath shape;
    shape.addEllipse(centre, radius, radius);
    return shape;
}

QPainterPath ringPath(QPointF centre, double radius, double width) {
    return disc(centre, radius + width / 2).subtracted(disc(centre, radius - width / 2));
}

// A seal pressed into the felt: rings, the name over the top, the game's three verbs under the
// bottom and a die in the middle.
void paintEmblem(QImage& board, const Lettering& lettering) {
    const QPointF centre(500, 238);
    QPainterPath seal = ringPath(centre, 116, 4);
    seal = seal.united(ringPath(centre, 107, 1.5));
    seal = seal.united(ringPath(centre, 76, 1.5));
    seal = seal.united(textOnArc(lettering, "QUIBBIX", 22, centre, 84, true, 4.0));
    seal = seal.united(
        textOnArc(lettering, "ROLL  \u2022  HOLD  \u2022  SCORE", 12, centre, 86, false, 1.6));
    for (const double side : {-1.0, 1.0})
        seal = seal.united(disc(centre + QPointF(side * 91.5, 0), 3));

    // A die in the middle, its five pips cut through.
    const QRectF die(-34, -34, 68, 68);
    QPainterPath rim;
    rim.addRoundedRect(die, 11, 11);
    QPainterPath inside;
    inside.addRoundedRect(die.adjusted(4, 4, -4, -4), 8, 8);
    QPainterPath dieShape = rim.subtracted(inside);
    for (const QPointF pip :
         {QPointF(-16, -16), QPointF(16, -16), QPointF(0, 0), QPointF(-16, 16), QPointF(16, 16)}) {
        dieShape = dieShape.united(disc(pip, 6));
    }
    QTransform tilt;
    tilt.translate(centre.x(), centre.y());
    tilt.rotate(-12);
    seal = seal.united(tilt.map(dieShape));

    QPainter painter(&board);
    painter.setRenderHint(QPainter::Antialiasing);
    // Pressed in: lit along the lower right of each groove, dark inside.
    painter.fillPath(seal.translated(0.8, 0.8), QColor(26, 122, 26));
    painter.fillPath(seal, QColor(0, 86, 0));
}

void paintHolderTray(QImage& board) {
    const int scale = scaleOf(board);
    const QRectF outer(15, 483, 417, 102);
    const double outerRadius = 10;
    const QRectF floor(21, 489, 405, 90);
    const double floorRadius = 6;
    const QColor wallShade(0, 44, 0);
    const QColor wallLit(84, 170, 84);
    const QColor floorColor(0, 88, 0);
    const QColor floorShade(0, 52, 0);
    for (int y = 480 * scale; y < 588 * scale; ++y) {
        for (int x = 12 * scale; x < 436 * scale; ++x) {
            const QPointF at = centreAt(x, y, scale);
            const double toOuter = roundedRectDistance(at, outer, outerRadius);
            if (toOuter > 0.5)
                continue;
            const double toFloor = roundedRectDistance(at, floor, floorRadius);
            // A wall faces away from the floor; the top and left walls face away from the light.
            const double facing = dot(roundedRectNormal(at, floor, floorRadius), towardsLight);
            const double acrossWall = std::clamp(toFloor / 6.0, 0.0, 1.0);
            const QColor wall = facing > 0 ? mix(wallShade, felt, acrossWall * 0.35)
                                           : mix(felt, wallLit, -facing * (0.4 + 0.6 * acrossWall));
            // The floor lies in the top and left walls' shadow near them.
            const double depth = std::max(0.0, -toFloor);
            const double shade = std::max(0.0, facing) * std::exp(-depth / 4.0);
            const QColor floorHere = mix(floorColor, floorShade, shade);
            // Edges blend over one device pixel.
            const QColor inTray = mix(wall, floorHere, smoothEdge(toFloor * scale));
            const QColor old = QColor::fromRgb(board.pixel(x, y));
            board.setPixel(x, y, mix(old, inTray, smoothEdge(toOuter * scale)).rgb());
        }
    }
    // Faint hollows where the five held dice stand.
    QPainter painter(&board);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (int slot = 0; slot < 5; ++slot) {
        const QRectF place(26.5 + 80 * slot, 500.5, 69, 66);
        painter.setPen(QPen(QColor(40, 130, 40, 120), 1.0));
        painter.drawRoundedRect(place.translated(0.8, 0.8), 10, 10);
        painter.setPen(QPen(QColor(0, 60, 0, 150), 1.0));
        painter.drawRoundedRect(place, 10, 10);
    }
}

void paintScorecard(QImage& board, const Lettering& lettering) {
    const QRectF card(27, 57, 186, 350);
    QPainterPath cardShape;
    cardShape.addRoundedRect(card, 9, 9);
    paintShadow(board, cardShape, QPointF(4, 5), 7.0, QColor(0, 0, 0, 130));

    QPainter painter(&board);
    painter.setRenderHint(QPainter::Antialiasing);
    // Plain white, above all where the score grid will lie, so the grid reads cleanly.
    painter.fillPath(cardShape, Qt::white);
    painter.setPen(QPen(QColor(160, 168, 160), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 8.5, 8.5);
    // A thin red rule above and below, as on a printed score pad.
    const QColor rule(206, 40, 36);
    painter.fillRect(QRectF(38, 61, 162, 2), rule);
    painter.fillRect(QRectF(38, 398, 162, 2), rule);

    const double size = 12.5;
    const double right = 147;
    const QColor ink = colorOf(skin::ScoreInk);
    for (Box box : AllBoxes) {
        const double middle = 67 + 21 * static_cast<double>(rowOf(box)) + 11;
        painter.fillPath(lettering.rightAligned(label(captionOf(box)), size, right, middle), ink);
    }
    painter.fillPath(lettering.rightAligned(label(BonusCaption), size, right, 345 + 11.5), ink);
    painter.fillPath(lettering.rightAligned(label(TotalCaption), size, right, 371 + 10.5), ink);
}

// Bevels the table's edge (lit on the left, dark on the right and at the bottom), draws a dark
// rim round the table and cuts everything outside the outline to the key. What is cut is decided
// on the 1x board's pixels, so the board at 2x has exactly the 1x outline, scaled.
void bevelAndCut(QImage& board) {
    const int scale = scaleOf(board);
    const QColor key = colorOf(skin::BoardKey);
    const QColor bevelLit(112, 196, 112);
    const QColor bevelShade(0, 36, 0);
    const QColor rim(0, 24, 0);
    const double bevelWidth = 8.0;
    for (int y = 0; y < board.height(); ++y) {
        for (int x = 0; x < board.width(); ++x) {
            if (roundedRectDistance(pixelCentre(x / scale, y / scale), outline, outlineRadius) >=
                0) {
                board.setPixel(x, y, key.rgb());
                continue;
            }
            const QPointF at = centreAt(x, y, scale);
            const double distance = std::min(roundedRectDistance(at, outline, outlineRadius), 0.0);
            const double depth = -distance;
            if (depth >= bevelWidth)
                continue;
            QColor here = QColor::fromRgb(board.pixel(x, y));
            if (y / scale > titleBarBottom) {
                const double facing =
                    dot(roundedRectNormal(at, outline, outlineRadius), towardsLight);
                const double strength = std::pow(1.0 - depth / bevelWidth, 1.5);
                here = facing > 0 ? mix(here, bevelLit, facing * strength * 0.9)
                                  : mix(here, bevelShade, -facing * strength * 1.1);
                // The outermost pixels of the table darken into a rim, the partly covered most.
                if (depth < 1.5)
                    here = mix(here, rim, 1.0 - depth / 1.5 * 0.6);
            }

            board.setPixel(x, y, here.rgb());
        }
    }
}

}  // namespace

QImage makeBoard(const Lettering& lettering, int scale) {
    QImage board = canvas(boardSize, scale, felt);
    paintEmblem(board, lettering);
    paintHolderTray(board);
    paintScorecard(board, lettering);
    paintTitleBar(board, lettering);
    bevelAndCut(board);
    return board;
}

}  // namespace quibbix::skin_generator
