#include "window/Picture.h"

#include <QPaintDevice>
#include <QRectF>
#include <utility>

namespace quibbix {

Picture::Picture(QImage oneX, TwoXSource twoX)
    : oneX_(std::move(oneX)), twoX_(std::make_shared<TwoX>(TwoX{std::move(twoX), {}})) {}

const QImage& Picture::twoX() const {
    static const QImage none;
    if (!twoX_) {
        return none;
    }
    if (twoX_->source) {
        // Taken out first: the source runs once, even if it makes nothing.
        const TwoXSource source = std::exchange(twoX_->source, {});
        twoX_->image = source();
    }
    return twoX_->image;
}

const QImage& Picture::forRatio(qreal ratio) const {
    if (ratio >= 1.5) {
        const QImage& fine = twoX();
        if (!fine.isNull()) {
            return fine;
        }
    }
    return oneX_;
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
