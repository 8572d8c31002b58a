#include <QPainterPathStroker>

#include "tools/skin/Pictures.h"

namespace quibbix::skin_generator {

void paintIconDice(QPainter& painter, double side) {
    struct Placed {
        QPointF centre;
        double size;
        double angle;
        int pips;
    };
    // The die with three pips lies behind on the upper right, the one with one pip in front of it
    // on the lower left, where it hides none of the three.
    const Placed dice[] = {
        {QPointF(side * 0.63, side * 0.37), side * 0.6, 12, 3},
        {QPointF(side * 0.33, side * 0.67), side * 0.54, -10, 1},
    };
    DieLook look = redDie();
    look.gloss = QColor(255, 255, 255, 40);
    look.pipScale = 1.3;
    for (const Placed& die : dice) {
        painter.save();
        painter.translate(die.centre);
        painter.rotate(die.angle);
        const QRectF box(-die.size / 2, -die.size / 2, die.size, die.size);
        // A dark edge keeps the small dice apart from each other and from any background.
        const double edge = std::max(0.8, side / 32.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(60, 0, 0));
        const QRectF outer = box.adjusted(-edge, -edge, edge, edge);
        painter.drawRoundedRect(outer, dieCornerRadius(outer), dieCornerRadius(outer));
        paintDie(painter, box, die.pips, look);
        painter.restore();
    }
}

QImage makeIcon() {
    return makeThemeIcon(32);
}

namespace {

// A die for the small icons, laid out pixel by pixel: at these sizes smooth curves and rotations
// only blur, so every edge and pip sits on whole pixels.
struct PixelDie {
    int side;     // outline included
    int pip;      // side of a square pip
    int spacing;  // from one pip column (or row) to the next
    bool lit;     // a light inner edge on the top and left; too close to the pips on the smallest
};

void paintPixelDie(QImage& icon, QPoint at, const PixelDie& die, int pips) {
    const DieLook look = redDie();
    const QColor outline(60, 0, 0);
    const int last = die.side - 1;
    for (int y = 0; y <= last; ++y) {
        for (int x = 0; x <= last; ++x) {
            const bool corner = (x == 0 || x == last) && (y == 0 || y == last);
            if (corner) {
                continue;  // a cut corner reads as a rounded one at this size
            }
            const bool edge = x == 0 || y == 0 || x == last || y == last;
            QColor colour = look.faceTop;
            if (edge) {
                colour = outline;
            } else if (die.lit && (x == 1 || y == 1)) {
                colour = look.rimLight;  // lit from the top left
            } else if (x == last - 1 || y == last - 1) {
                colour = look.faceBottom;
            }
            icon.setPixelColor(at + QPoint(x, y), colour);
        }
    }
    // Pips on a 3 x 3 grid around the middle of the face.
    const int inner = die.side - 2;
    const int middle = 1 + (inner - die.pip) / 2;
    const int places[][2] = {{0, 0}, {-1, -1}, {1, 1}, {1, -1}, {-1, 1}};
    const int count = pips == 1 ? 1 : 3;
    for (int i = 0; i < count; ++i) {
        const int column = pips == 1 ? 0 : places[i][0];
        const int row = pips == 1 ? 0 : places[i][1];
        const QPoint corner =
            at + QPoint(middle + column * die.spacing, middle + row * die.spacing);
        for (int y = 0; y < die.pip; ++y) {
            for (int x = 0; x < die.pip; ++x) {
                icon.setPixelColor(corner + QPoint(x, y), look.pipLight);
            }
        }
    }
}

}  // namespace

QImage makeThemeIcon(int size) {
    if (size >= 32) {
        QImage painted(size, size, QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::transparent);
        QPainter painter(&painted);
        painter.setRenderHint(QPainter::Antialiasing);
        paintIconDice(painter, size);
        painter.end();
        return withStraightAlpha(painted);
    }
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    // The same two dice, upright: the three behind on the upper right, the one in front on the
    // lower left, where it hides none of the three pips.
    const PixelDie die =
        size < 20 ? PixelDie{10, 2, 2, false} : PixelDie{size * 5 / 8, 2 + size / 24, 3, true};
    paintPixelDie(icon, QPoint(size - die.side, 0), die, 3);
    paintPixelDie(icon, QPoint(0, size - die.side), die, 1);
    return icon;
}

QImage makeNoEntryPointer() {
    QImage pointer(32, 32, QImage::Format_ARGB32);
    pointer.fill(Qt::transparent);
    // Centred on the hot spot's pixel.
    const QPointF hotSpot(skin::NoEntryHotSpotX + 0.5, skin::NoEntryHotSpotY + 0.5);
    const double ringRadius = 10.5;
    const double ringWidth = 4.0;
    const double outline = 1.5;

    QPainterPath ring;
    ring.addEllipse(hotSpot, ringRadius, ringRadius);
    const double reach = ringRadius * 0.7071;
    QPainterPath bar;
    bar.moveTo(hotSpot + QPointF(-reach, -reach));
    bar.lineTo(hotSpot + QPointF(reach, reach));
    QPainterPath sign = ring;
    sign.addPath(bar);

    QPainterPathStroker white;
    white.setWidth(ringWidth);
    white.setCapStyle(Qt::FlatCap);
    const QPainterPath whitePart = white.createStroke(sign).simplified();
    QPainterPathStroker black;
    black.setWidth(outline * 2);
    black.setJoinStyle(Qt::RoundJoin);
    const QPainterPath blackPart = black.createStroke(whitePart).united(whitePart);

    QPainter painter(&pointer);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(blackPart, Qt::black);
    painter.fillPath(whitePart, Qt::white);
    painter.end();
    return pointer;
}

}  // namespace quibbix::skin_generator
