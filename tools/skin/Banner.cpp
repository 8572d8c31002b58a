#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QTransform>

#include "tools/skin/Pictures.h"

namespace quibbix::skin_generator {

QImage makeBanner(const Lettering& lettering, int scale) {
    const QSize size(337, 64);
    const QColor outlineBrown(46, 24, 6);
    const QColor depthBrown(92, 44, 6);
    const double outlineWidth = 5.0;
    const QPointF depth(2.0, 3.0);

    // The word, leaning forward a little, fitted inside the outline, the depth and a small margin.
    QPainterPath word = lettering.path("Quibbix!!", 60);
    word = QTransform().shear(-0.12, 0).map(word);
    const QRectF ink = word.boundingRect();
    const QRectF room(outlineWidth / 2 + 2, outlineWidth / 2 + 1,
                      size.width() - outlineWidth - depth.x() - 4,
                      size.height() - outlineWidth - depth.y() - 2);
    const double fitScale = std::min(room.width() / ink.width(), room.height() / ink.height());
    QTransform fit;
    fit.translate(room.center().x() - ink.center().x() * fitScale,
                  room.center().y() - ink.center().y() * fitScale);
    fit.scale(fitScale, fitScale);
    word = fit.map(word);

    QPainterPathStroker stroker;
    stroker.setWidth(outlineWidth);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath outlined = stroker.createStroke(word).united(word);
    const QPainterPath shape = outlined.united(outlined.translated(depth));

    // The outline's brown lies behind, so the outer edge of the shape blends into the outline.
    QImage banner = canvas(size, scale, outlineBrown);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outlined.translated(depth), depthBrown);
    painter.fillPath(outlined, outlineBrown);

    const QRectF letters = word.boundingRect();
    QLinearGradient gold(0, letters.top(), 0, letters.bottom());
    gold.setColorAt(0.0, QColor(255, 250, 170));
    gold.setColorAt(0.42, QColor(255, 222, 40));
    gold.setColorAt(0.58, QColor(255, 196, 0));
    gold.setColorAt(1.0, QColor(236, 128, 0));
    painter.fillPath(word, gold);

    // A glassy highlight over the upper half of the letters.
    painter.setClipPath(word);
    QLinearGradient shine(0, letters.top(), 0, letters.center().y());
    shine.setColorAt(0.0, QColor(255, 255, 255, 150));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(
        QRectF(letters.left(), letters.top(), letters.width(), letters.height() * 0.45), shine);
    // A thin dark seam inside the letters, lit on the upper left.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 70, 0, 160), 1.4));
    painter.drawPath(word.translated(-0.7, -0.7));
    painter.setPen(QPen(QColor(255, 255, 220, 140), 1.0));
    painter.drawPath(word.translated(0.8, 0.8));
    painter.end();

    cutByCoverage(banner, coverageOf(shape, size), colorOf(skin::BannerKey));
    return banner;
}

}  // namespace quibbix::skin_generator
