#include "window/Picture.h"

#include <QPaintDevice>
#include <QRectF>
#include <utility>

namespace quibbix {

Picture::Picture(QImage oneX, QImage twoX) : oneX_(std::move(oneX)), twoX_(std::move(twoX)) {}

const QImage& Picture::forRatio(qreal ratio) const {
    return ratio >= 1.5 && !twoX_.isNull() ? twoX_ : oneX_;
}

void Picture::paint(QPainter& painter, QPoint at) const {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QImage& drawn = forRatio(ratio);
    const qreal drawnRatio = qreal(drawn.width()) / oneX_.width();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio != drawnRatio);
    painter.drawImage(QRectF(at, size()), drawn);
    painter.restore();
}

}  // namespace quibbix
