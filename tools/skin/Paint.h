#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <vector>

#include "assets/SkinAssets.h"

// Small drawing tools shared by every picture of the skin.
namespace quibbix::skin_generator {

QColor colorOf(skin::Rgb rgb);
QColor mix(const QColor& from, const QColor& to, double amount);

// Signed distance from (x, y) to the outline of a rounded rectangle: negative inside.
double roundedRectDistance(QPointF point, const QRectF& rect, double radius);
// The outward direction of the rounded rectangle's outline nearest to `point`.
QPointF roundedRectNormal(QPointF point, const QRectF& rect, double radius);
// Where a pixel's centre lies.
inline QPointF pixelCentre(int x, int y) {
    return {x + 0.5, y + 0.5};
}

// A picture `scale` times the size of `size` in each direction, that a painter draws on in the
// coordinates of `size`: the same drawing at a finer grain.
QImage canvas(QSize size, int scale, const QColor& fill);
// How much of each pixel a path covers (0..255), drawn with antialiasing on a canvas of `size` at
// `scale`.
QImage coverageOf(const QPainterPath& path, QSize size, int scale = 1);
// Cuts a picture to a shape with a hard edge: every pixel covered less than half becomes exactly
// `key`, every other pixel keeps its painted colour, so no edge pixel is a blend with the key.
// A coverage smaller than the picture by a whole factor cuts it in blocks of that factor, so a
// picture drawn at 2x takes exactly the shape of the 1x one, scaled.
void cutByCoverage(QImage& picture, const QImage& coverage, const QColor& key);

// A picture painted with premultiplied alpha, in straight alpha for saving, rounded to nearest.
// The toolkit's own conversion, and its painting on a straight-alpha picture, round differently
// with the vector instructions of each processor; this gives every machine the same bytes.
QImage withStraightAlpha(const QImage& premultiplied);

// Paints a soft shadow of `path`, moved by `offset` and blurred over about `blur` pixels (of the
// target's 1x size).
void paintShadow(QImage& target, const QPainterPath& path, QPointF offset, double blur,
                 const QColor& color);

// Text as outlines from the committed font file, without hinting, so the letters come out the same
// whatever the machine's font settings are.
class Lettering {
  public:
    explicit Lettering(const QString& fontFile);
    // The outline of `text` at `pixelSize`, starting at x = 0 with its baseline on y = 0.
    QPainterPath path(const QString& text, double pixelSize) const;
    // The same text moved so that its ink ends at `right` and its capital height is centred on
    // `middleY`.
    QPainterPath rightAligned(const QString& text, double pixelSize, double right,
                              double middleY) const;
    double capHeight(double pixelSize) const;

    // Each letter of `text` by itself: its outline at the origin of its baseline and its advance.
    struct Glyph {
        QPainterPath outline;
        double advance;
    };
    std::vector<Glyph> glyphs(const QString& text, double pixelSize) const;

  private:
    QByteArray fontData_;
};

}  // namespace quibbix::skin_generator
