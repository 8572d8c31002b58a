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

QImage picture(const char* resource) {
    return QImage(QString::fromLatin1(resource));
}

// The outline of a picture, cut by the colour of its own top-left pixel.
QRegion outlineOf(const QImage& picture) {
    int32_t keyColour = 0;  // detect the key from the picture's own corner
    return regionFromPicture(picture, twipsFromPixels(picture.width()),
                             twipsFromPixels(picture.height()), keyColour);
}

// The picture with only the pixels inside the outline left: the outline is the one source of the
// shape, so what is transparent and what the mask cuts away are the same set of pixels.
QImage cutOut(const QImage& picture, const QRegion& outline) {
    QImage cut(picture.size(), QImage::Format_ARGB32_Premultiplied);
    cut.fill(Qt::transparent);
    QPainter painter(&cut);
    painter.setClipRegion(outline);
    painter.drawImage(0, 0, picture);
    return cut;
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
      icon_(QPixmap::fromImage(picture(skin::Icon))),
      noEntry_(QPixmap::fromImage(picture(skin::NoEntry)), skin::NoEntryHotSpotX,
               skin::NoEntryHotSpotY),
      scoreFont_(loadScoreFont()) {
    board_ = cutOut(board_, boardOutline_);
    for (size_t face = 0; face < faces_.size(); ++face) {
        faces_[face] = picture(skin::DieFaces[face]);
        faceOutlines_[face] = outlineOf(faces_[face]);
    }
}

}  // namespace quibbix
