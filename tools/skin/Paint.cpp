#include "tools/skin/Paint.h"

#include <QFile>
#include <QPainter>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace quibbix::skin_generator {

QColor colorOf(skin::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QColor mix(const QColor& from, const QColor& to, double amount) {
    const double t = std::clamp(amount, 0.0, 1.0);
    auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()), channel(from.alpha(), to.alpha()));
}

namespace {

// The point of the rectangle's inner core (the rectangle shrunk by the radius) nearest to `point`.
QPointF nearestCorePoint(QPointF point, const QRectF& rect, double radius) {
    const QRectF core = rect.adjusted(radius, radius, -radius, -radius);
    return {std::clamp(point.x(), core.left(), core.right()),
            std::clamp(point.y(), core.top(), core.bottom())};
}

}  // namespace

double roundedRectDistance(QPointF point, const QRectF& rect, double radius) {
    const QPointF core = nearestCorePoint(point, rect, radius);
    const double dx = point.x() - core.x();
    const double dy = point.y() - core.y();
    if (dx == 0.0 && dy == 0.0) {
        // Inside the core: the nearest side decides.
        const double inside = std::min({point.x() - rect.left(), rect.right() - point.x(),
                                        point.y() - rect.top(), rect.bottom() - point.y()});
        return -inside;
    }
    return std::hypot(dx, dy) - radius;
}

QPointF roundedRectNormal(QPointF point, const QRectF& rect, double radius) {
    const QPointF core = nearestCorePoint(point, rect, radius);
    const double dx = point.x() - core.x();
    const double dy = point.y() - core.y();
    if (dx != 0.0 || dy != 0.0) {
        const double length = std::hypot(dx, dy);
        return {dx / length, dy / length};
    }
    const double left = point.x() - rect.left();
    const double right = rect.right() - point.x();
    const double top = point.y() - rect.top();
    const double bottom = rect.bottom() - point.y();
    const double nearest = std::min({left, right, top, bottom});
    if (nearest == left)
        return {-1, 0};
    if (nearest == right)
        return {1, 0};
    if (nearest == top)
        return {0, -1};
    return {0, 1};
}

QImage canvas(QSize size, int scale, const QColor& fill) {
    QImage picture(size * scale, fill.alpha() == 255 ? QImage::Format_RGB32
                                                     : QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(fill);
    return picture;
}

QImage withStraightAlpha(const QImage& premultiplied) {
    const QImage source = premultiplied.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage straight(source.size(), QImage::Format_ARGB32);
    straight.setDevicePixelRatio(source.devicePixelRatio());
    const auto unmultiply = [](int channel, int alpha) {
        return (channel * 255 + alpha / 2) / alpha;
    };
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(straight.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            out[x] = alpha == 0
                         ? 0
                         : qRgba(unmultiply(qRed(in[x]), alpha), unmultiply(qGreen(in[x]), alpha),
                                 unmultiply(qBlue(in[x]), alpha), alpha);
        }
    }
    return straight;
}

QImage coverageOf(const QPainterPath& path, QSize size, int scale) {
    QImage cover = canvas(size, scale, Qt::transparent);
    QPainter painter(&cover);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, Qt::white);
    painter.end();
    return cover.convertToFormat(QImage::Format_Alpha8);
}

void cutByCoverage(QImage& picture, const QImage& coverage, const QColor& key) {
    const QRgb keyPixel = key.rgb();
    const int factor = picture.width() / coverage.width();
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* cover = coverage.constScanLine(y / factor);
        for (int x = 0; x < picture.width(); ++x) {
            if (cover[x / factor] < 128) {
                picture.setPixel(x, y, keyPixel);
            }
        }
    }
}

namespace {

std::vector<double> gaussianKernel(double sigma) {
    const int reach = static_cast<int>(std::ceil(sigma * 3.0));
    std::vector<double> kernel(2 * reach + 1);
    double sum = 0.0;
    for (int i = -reach; i <= reach; ++i) {
        kernel[i + reach] = std::exp(-(i * i) / (2.0 * sigma * sigma));
        sum += kernel[i + reach];
    }
    for (double& weight : kernel) weight /= sum;
    return kernel;
}

// Blurs a plane of values in place, first along rows, then along columns; values beyond the
// border count as 0.
void blur(std::vector<double>& plane, int width, int height, double sigma) {
    const std::vector<double> kernel = gaussianKernel(sigma);
    const int reach = static_cast<int>(kernel.size() / 2);
    std::vector<double> pass(plane.size(), 0.0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum = 0.0;
            for (int k = -reach; k <= reach; ++k) {
                const int sx = x + k;
                if (sx >= 0 && sx < width)
                    sum += plane[y * width + sx] * kernel[k + reach];
            }
            pass[y * width + x] = sum;
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum = 0.0;
            for (int k = -reach; k <= reach; ++k) {
                const int sy = y + k;
                if (sy >= 0 && sy < height)
                    sum += pass[sy * width + x] * kernel[k + reach];
            }
            plane[y * width + x] = sum;
        }
    }
}

}  // namespace

void paintShadow(QImage& target, const QPainterPath& path, QPointF offset, double blurRadius,
                 const QColor& color) {
    const int width = target.width();
    const int height = target.height();
    const int scale = static_cast<int>(target.devicePixelRatio());
    const QImage cover = coverageOf(path.translated(offset), target.size() / scale, scale);
    std::vector<double> plane(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) plane[y * width + x] = cover.constScanLine(y)[x] / 255.0;
    }
    blur(plane, width, height, blurRadius * scale / 2.0);
    QImage shadow(target.size(), QImage::Format_ARGB32);
    shadow.setDevicePixelRatio(scale);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Below one step of alpha the shadow ends exactly, so far pixels stay untouched.
            const int alpha = static_cast<int>(plane[y * width + x] * color.alpha());
            shadow.setPixel(x, y, qRgba(color.red(), color.green(), color.blue(), alpha));
        }
    }
    QPainter painter(&target);
    painter.drawImage(0, 0, shadow);
}

Lettering::Lettering(const QString& fontFile) {
    QFile file(fontFile);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the font " + fontFile.toStdString());
    }
    fontData_ = file.readAll();
}

std::vector<Lettering::Glyph> Lettering::glyphs(const QString& text, double pixelSize) const {
    const QRawFont font(fontData_, pixelSize, QFont::PreferNoHinting);
    const QVector<quint32> indexes = font.glyphIndexesForString(text);
    const QVector<QPointF> advances = font.advancesForGlyphIndexes(
        indexes, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
    std::vector<Glyph> result;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        result.push_back({font.pathForGlyph(indexes[i]), advances[i].x()});
    }
    return result;
}

QPainterPath Lettering::path(const QString& text, double pixelSize) const {
    QPainterPath outline;
    double pen = 0.0;
    for (const Glyph& glyph : glyphs(text, pixelSize)) {
        outline.addPath(glyph.outline.translated(pen, 0));
        pen += glyph.advance;
    }
    return outline;
}

QPainterPath Lettering::rightAligned(const QString& text, double pixelSize, double right,
                                     double middleY) const {
    const QPainterPath outline = path(text, pixelSize);
    const double inkRight = outline.boundingRect().right();
    return outline.translated(right - inkRight, middleY + capHeight(pixelSize) / 2.0);
}

double Lettering::capHeight(double pixelSize) const {
    return QRawFont(fontData_, pixelSize, QFont::PreferNoHinting).capHeight();
}

}  // namespace quibbix::skin_generator
