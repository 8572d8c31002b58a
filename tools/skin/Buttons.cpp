#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <vector>

#include "tools/skin/Pictures.h"

namespace quibbix::skin_generator {

namespace {

const QColor felt = colorOf(skin::FeltGreen);

// How a pill button is coloured.
struct PillLook {
    QColor top;
    QColor bottom;
    QColor border;
    QColor rimLight;
    QColor shine;
    QColor text;
    QColor textLight;  // the lit lower-right edge of pressed-in letters; transparent for none
    QColor shadow;
};

PillLook dimPill() {
    return PillLook{
        .top = QColor(10, 118, 10),
        .bottom = QColor(0, 94, 0),
        .border = QColor(0, 70, 0),
        .rimLight = QColor(120, 200, 120, 110),
        .shine = QColor(255, 255, 255, 16),
        .text = QColor(0, 66, 0),
        .textLight = QColor(70, 160, 70, 150),
        .shadow = QColor(0, 0, 0, 90),
    };
}

QImage makePill(const Lettering& lettering, const QString& word, const PillLook& look, int scale) {
    const QSize size(88, 67);
    QImage button = canvas(size, scale, felt);
    const QRectF pill(6.5, 14.5, 73, 36);
    const double radius = pill.height() / 2;
    QPainterPath body;
    body.addRoundedRect(pill, radius, radius);

    paintShadow(button, body, QPointF(1.5, 2.5), 4.0, look.shadow);

    QPainter painter(&button);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(pill.topLeft(), pill.bottomLeft());
    fill.setColorAt(0.0, look.top);
    fill.setColorAt(1.0, look.bottom);
    painter.setPen(QPen(look.border, 1.0));
    painter.setBrush(fill);
    painter.drawPath(body);

    // A light rim along the upper left inside the border, fading out towards the lower right.
    QLinearGradient rim(pill.topLeft(), pill.bottomRight());
    rim.setColorAt(0.0, look.rimLight);
    rim.setColorAt(0.55,
                   QColor(look.rimLight.red(), look.rimLight.green(), look.rimLight.blue(), 0));
    painter.setPen(QPen(QBrush(rim), 1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(pill.adjusted(1.4, 1.4, -1.4, -1.4), radius - 1.4, radius - 1.4);

    // The glossy upper half.
    const QRectF upper(pill.left() + 5, pill.top() + 2.5, pill.width() - 10, pill.height() * 0.42);
    QLinearGradient shine(upper.topLeft(), upper.bottomLeft());
    shine.setColorAt(0.0, look.shine);
    shine.setColorAt(1.0, QColor(look.shine.red(), look.shine.green(), look.shine.blue(), 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawRoundedRect(upper, upper.height() / 2, upper.height() / 2);

    QPainterPath text = lettering.path(word, 21);
    const QRectF ink = text.boundingRect();
    const double capMiddle = lettering.capHeight(21) / 2;
    // Lower-case words sit on their x-height; centre the letters between baseline and cap line.
    text.translate(pill.center().x() - ink.center().x(), pill.center().y() + capMiddle - 1.0);
    if (look.textLight.alpha() > 0) {
        painter.fillPath(text.translated(0.8, 0.9), look.textLight);
    }
    painter.fillPath(text, look.text);
    painter.end();
    return button;
}

}  // namespace

QImage makeResetButton(const Lettering& lettering, ButtonState state, int scale) {
    if (state == ButtonState::Normal)
        return makePill(lettering, "reset", dimPill(), scale);
    return makePill(lettering, "reset",
                    PillLook{
                        .top = QColor(255, 244, 120),
                        .bottom = QColor(245, 184, 0),
                        .border = QColor(150, 92, 0),
                        .rimLight = QColor(255, 255, 230, 220),
                        .shine = QColor(255, 255, 255, 150),
                        .text = QColor(10, 8, 0),
                        .textLight = QColor(255, 255, 220, 120),
                        .shadow = QColor(0, 0, 0, 120),
                    },
                    scale);
}

QImage makeQuitButton(const Lettering& lettering, ButtonState state, int scale) {
    if (state == ButtonState::Normal)
        return makePill(lettering, "quit", dimPill(), scale);
    return makePill(lettering, "quit",
                    PillLook{
                        .top = QColor(255, 110, 96),
                        .bottom = QColor(204, 16, 16),
                        .border = QColor(110, 0, 0),
                        .rimLight = QColor(255, 220, 210, 200),
                        .shine = QColor(255, 255, 255, 130),
                        .text = QColor(10, 0, 0),
                        .textLight = QColor(255, 200, 190, 110),
                        .shadow = QColor(0, 0, 0, 120),
                    },
                    scale);
}

namespace {

struct Tumble {
    QPointF centre;
    double side;
    double angle;
    int pips;
    std::vector<double>
        streaks;  // heights of the streaks, as parts of the die's side from its middle
};

// Motion streaks trailing to the left of a die, each fading out towards its tail.
void paintStreaks(QPainter& painter, const Tumble& die, const QColor& color) {
    for (size_t i = 0; i < die.streaks.size(); ++i) {
        const double y = die.centre.y() + die.streaks[i] * die.side;
        const double head = die.centre.x() - die.side * 0.55;
        const double tail = head - die.side * (i % 2 == 0 ? 0.45 : 0.65);
        QLinearGradient fade(tail, y, head, y);
        fade.setColorAt(0.0, QColor(color.red(), color.green(), color.blue(), 0));
        fade.setColorAt(1.0, color);
        painter.setPen(QPen(QBrush(fade), 2.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(tail, y), QPointF(head, y));
    }
}

}  // namespace

QImage makeRollButton(ButtonState state, int scale) {
    const QSize size(121, 82);
    const Tumble dice[] = {
        {QPointF(52, 49), 40, -16, 5, {-0.3, 0.02, 0.32}},
        {QPointF(91, 31), 36, 20, 3, {-0.34, -0.1}},
    };
    const DieLook look = state == ButtonState::Hover ? redDie()
                                                     : DieLook{
                                                           .rimLight = QColor(70, 168, 70),
                                                           .rimDark = QColor(0, 62, 0),
                                                           .faceTop = QColor(12, 122, 12),
                                                           .faceBottom = QColor(0, 98, 0),
                                                           .pipLight = QColor(0, 80, 0),
                                                           .pipShade = QColor(30, 130, 30),
                                                           .pipRim = QColor(0, 60, 0, 120),
                                                           .gloss = QColor(255, 255, 255, 18),
                                                       };
    const QColor streak = state == ButtonState::Hover ? QColor(12, 12, 12) : QColor(0, 74, 0);
    const QColor shadow = state == ButtonState::Hover ? QColor(0, 0, 0, 130) : QColor(0, 0, 0, 80);

    QImage button = canvas(size, scale, felt);
    QPainter painter(&button);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Tumble& die : dice) paintStreaks(painter, die, streak);
    painter.end();

    for (const Tumble& die : dice) {
        QTransform turn;
        turn.translate(die.centre.x(), die.centre.y());
        turn.rotate(die.angle);
        const QRectF box(-die.side / 2, -die.side / 2, die.side, die.side);
        QPainterPath body;
        body.addRoundedRect(box, dieCornerRadius(box), dieCornerRadius(box));
        paintShadow(button, turn.map(body), QPointF(2, 3), 4.0, shadow);
        QPainter diePainter(&button);
        diePainter.setRenderHint(QPainter::Antialiasing);
        diePainter.setTransform(turn);
        paintDie(diePainter, box, die.pips, look);
    }
    return button;
}

}  // namespace quibbix::skin_generator
