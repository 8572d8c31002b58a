#include "tools/skin/Pictures.h"

namespace quibbix::skin_generator {

namespace {

// Turns a cut picture into one with transparency: its key colour, taken from pixel (0, 0),
// becomes transparent, as the window system shows it.
QImage cutOut(const QImage& picture) {
    QImage cut = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = picture.pixel(0, 0);
    for (int y = 0; y < cut.height(); ++y) {
        for (int x = 0; x < cut.width(); ++x) {
            if (picture.pixel(x, y) == key)
                cut.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return cut;
}

}  // namespace

QImage makePreview(const Skin& skin) {
    QImage preview(skin.board.size(), QImage::Format_RGB32);
    // A neutral desktop behind the window's cut corners.
    preview.fill(QColor(70, 78, 92));
    QPainter painter(&preview);
    painter.drawImage(0, 0, cutOut(skin.board));

    // The empty score grid the window draws over the card: thirteen framed rows split at x 158.
    painter.setPen(QPen(QColor(96, 96, 96), 1.0));
    for (int box = 0; box < 13; ++box) painter.drawRect(38, 67 + 21 * box, 161, 21);
    painter.drawLine(158, 67, 158, 339);

    painter.drawImage(439, 490, skin.rollHover);
    painter.drawImage(573, 501, skin.reset);
    painter.drawImage(676, 501, skin.quit);
    // The five dice in their start row, each showing six.
    for (const int left : {413, 486, 560, 633, 706}) {
        painter.drawImage(left, 333, cutOut(skin.dieFaces[5]));
    }
    painter.drawImage(242, 239, cutOut(skin.banner));
    return preview;
}

}  // namespace quibbix::skin_generator
