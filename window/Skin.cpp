#include "window/Skin.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>

#include "assets/SkinAssets.h"
#include "platform/Twips.h"
#include "window/Layout.h"
#include "window/RegionFromPicture.h"

namespace quibbix {
namespace {

QImage image(const char* resource) {
    return QImage(QString::fromLatin1(resource));
}

// A picture of the window at 1x, with its 2x drawing beside it: board.png and board@2x.png.
Picture picture(const char* resource) {
    QString twoX = QString::fromLatin1(resource);
    twoX.insert(twoX.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    return Picture(image(resource), QImage(twoX));
}

// The outline of a picture, cut by the colour of its own top-left pixel, in the 1x picture's
// pixels: the shape at 2x is this one scaled.
QRegion outlineOf(const Picture& picture) {
    int32_t keyColour = 0;  // detect the key from the picture's own corner
    return regionFromPicture(picture.image(), twipsFromPixels(picture.size().width()),
                             twipsFromPixels(picture.size().height()), keyColour);
}

// One drawing of a picture with only the pixels inside the outline left, the outline scaled to it.
QImage cutOut(const QImage& drawing, QSize size, const QRegion& outline) {
    if (drawing.isNull()) {
        return drawing;
    }
    QImage cut(drawing.size(), QImage::Format_ARGB32_Premultiplied);
    cut.fill(Qt::transparent);
    QPainter painter(&cut);
    painter.scale(qreal(drawing.width()) / size.width(), qreal(drawing.height()) / size.height());
    painter.setClipRegion(outline);
    painter.drawImage(QRectF(QPointF(0, 0), size), drawing);
    return cut;
}

// The picture with only the pixels inside the outline left: the outline is the one source of the
// shape, so what is transparent and what the mask cuts away are the same set of pixels.
Picture cutOut(const Picture& picture, const QRegion& outline) {
    return Picture(cutOut(picture.image(), picture.size(), outline),
                   cutOut(picture.twoX(), picture.size(), outline));
}

QFont loadScoreFont() {
    static const int builtIn =
        QFontDatabase::addApplicationFont(QString::fromLatin1(skin::ScoreFontFile));
    (void)builtIn;  // registered once; used only where the preferred face is missing
    const QString family = QFontDatabase::families().contains(layout::PreferredScoreFont)
                               ? QString::fromLatin1(layout::PreferredScoreFont)
                               : QString::fromLatin1(skin::ScoreFontFamily);
    QFont font(family);
    font.setPixelSize(layout::ScoreTextPixels);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

Skin::Skin()
    : board_(picture(skin::Board)),
      boardOutline_(outlineOf(board_)),
      banner_(picture(skin::Banner)),
      bannerOutline_(outlineOf(banner_)),
      roll_{picture(skin::Roll), picture(skin::RollHover)},
      reset_{picture(skin::Reset), picture(skin::ResetHover)},
      quit_{picture(skin::Quit), picture(skin::QuitHover)},
      icon_(QPixmap::fromImage(image(skin::Icon))),
      noEntry_(QPixmap::fromImage(image(skin::NoEntry)), skin::NoEntryHotSpotX,
               skin::NoEntryHotSpotY),
      scoreFont_(loadScoreFont()) {
    board_ = cutOut(board_, boardOutline_);
    for (size_t face = 0; face < faces_.size(); ++face) {
        faces_[face] = picture(skin::DieFaces[face]);
        faceOutlines_[face] = outlineOf(faces_[face]);
    }
}

}  // namespace quibbix
