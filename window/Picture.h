#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <functional>
#include <memory>

namespace quibbix {

// A picture of the skin drawn twice, for screens of one and of two device pixels to a pixel. Its
// size, and every position and outline that goes with it, is that of the 1x picture: the scale
// changes how finely it is drawn, never where anything lies.
class Picture {
  public:
    // Makes the 2x drawing; a null image where there is none.
    using TwoXSource = std::function<QImage()>;

    Picture() = default;
    // The 2x picture is twice the 1x one in each direction, or missing (null). It is made the first
    // time a copy of this picture asks for it: on a screen of one device pixel to a pixel it is
    // never decoded and takes no memory.
    Picture(QImage oneX, TwoXSource twoX);

    // The 1x picture, and the 2x one (null where there is none).
    const QImage& image() const { return oneX_; }
    const QImage& twoX() const;
    QSize size() const { return oneX_.size(); }
    // The picture drawn for `ratio` device pixels to a pixel, or the nearer of the two; at 1.5 the
    // finer one.
    const QImage& forRatio(qreal ratio) const;
    // Draws it with its top-left corner at `at`, in the painter's device's own pixels: at 1 and 2
    // pixel for pixel, at other ratios the nearer picture smoothly scaled.
    void paint(QPainter& painter, QPoint at) const;

  private:
    // Shared by the copies, so that the drawing is made once however many controls show it.
    struct TwoX {
        TwoXSource source;
        QImage image;
    };

    QImage oneX_;
    std::shared_ptr<TwoX> twoX_;
};

}  // namespace quibbix
