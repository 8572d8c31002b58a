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
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    paintIconDice(painter, 32);
    painter.end();
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
