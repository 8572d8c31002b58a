#include <QLinearGradient>
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "tools/skin/Pictures.h"

namespace quibbix::skin_generator {

namespace {

// Pip places on a 3 x 3 grid: column and row from -1 to 1.
struct Place {
    int column;
    int row;
};

std::vector<Place> pipPlaces(int pips) {
    switch (pips) {
        case 1:
            return {{0, 0}};
        case 2:
            return {{-1, -1}, {1, 1}};
        case 3:
            return {{-1, -1}, {0, 0}, {1, 1}};
        case 4:
            return {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
        case 5:
            return {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}};
        default:
            return {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
    }
}

}  // namespace

DieLook redDie() {
    return DieLook{
        .rimLight = QColor(255, 118, 100),
        .rimDark = QColor(96, 0, 4),
        .faceTop = QColor(232, 36, 30),
        .faceBottom = QColor(178, 8, 10),
        .pipLight = QColor(255, 255, 255),
        .pipShade = QColor(196, 198, 208),
        .pipRim = QColor(110, 0, 0, 150),
        .gloss = QColor(255, 255, 255, 70),
    };
}

double dieCornerRadius(const QRectF& box) {
    return std::min(box.width(), box.height()) * 0.15;
}

void paintDie(QPainter& painter, const QRectF& box, int pips, const DieLook& look) {
    const double side = std::min(box.width(), box.height());
    const double radius = dieCornerRadius(box);
    const double bevel = side * 0.085;

    // The rim: lit from the top left, so its top and left slopes are light and the others dark.
    QLinearGradient rim(box.topLeft(), box.bottomRight());
    rim.setColorAt(0.0, look.rimLight);
    rim.setColorAt(0.45, mix(look.rimLight, look.rimDark, 0.45));
    rim.setColorAt(0.55, mix(look.rimLight, look.rimDark, 0.6));
    rim.setColorAt(1.0, look.rimDark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(rim);
    painter.drawRoundedRect(box, radius, radius);

    // The flat top face, with a fine dark seam where it meets the bevel.
    const QRectF face = box.adjusted(bevel, bevel, -bevel, -bevel);
    const double faceRadius = std::max(1.0, radius - bevel * 0.6);
    QLinearGradient top(face.topLeft(), face.bottomLeft());
    top.setColorAt(0.0, look.faceTop);
    top.setColorAt(1.0, look.faceBottom);
    painter.setBrush(top);
    painter.setPen(QPen(mix(look.faceBottom, look.rimDark, 0.5), std::max(0.6, side * 0.012)));
    painter.drawRoundedRect(face, faceRadius, faceRadius);

    // A soft sheen across the upper left of the face.
    QRadialGradient sheen(face.left() + face.width() * 0.3, face.top() + face.height() * 0.25,
                          face.width() * 0.75);
    sheen.setColorAt(0.0, look.gloss);
    sheen.setColorAt(1.0, QColor(look.gloss.red(), look.gloss.green(), look.gloss.blue(), 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawRoundedRect(face, faceRadius, faceRadius);

    // Pips: hollows in the face, shaded on their upper left inner wall.
    const double pipRadius = side * 0.088 * look.pipScale;
    const double stepX = face.width() * 0.29;
    const double stepY = face.height() * 0.29;
    const QPointF centre = face.center();
    for (const Place place : pipPlaces(pips)) {
        const QPointF at(centre.x() + place.column * stepX, centre.y() + place.row * stepY);
        painter.setBrush(look.pipRim);
        painter.drawEllipse(at - QPointF(pipRadius * 0.08, pipRadius * 0.08), pipRadius * 1.12,
                            pipRadius * 1.12);
        QRadialGradient hollow(at + QPointF(pipRadius * 0.35, pipRadius * 0.35), pipRadius * 1.3,
                               at + QPointF(pipRadius * 0.3, pipRadius * 0.3));
        hollow.setColorAt(0.0, look.pipLight);
        hollow.setColorAt(0.55, look.pipLight);
        hollow.setColorAt(1.0, look.pipShade);
        painter.setBrush(hollow);
        painter.drawEllipse(at, pipRadius, pipRadius);
    }
}

QImage makeDieFace(int pips, int scale) {
    const QSize size(70, 67);
    const QRectF box(0, 0, size.width(), size.height());
    const DieLook look = redDie();
    // The rim's darkest red lies behind, so the antialiased outline blends into the die itself.
    QImage face = canvas(size, scale, look.rimDark);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing);
    paintDie(painter, box, pips, look);
    painter.end();

    QPainterPath outline;
    outline.addRoundedRect(box, dieCornerRadius(box), dieCornerRadius(box));
    cutByCoverage(face, coverageOf(outline, size), colorOf(skin::DieKey));
    return face;
}

}  // namespace quibbix::skin_generator
