#include "window/Skin.h"

#include <QFontDatabase>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <algorithm>
#include <utility>

#include "assets/SkinAssets.h"
#include "platform/Twips.h"
#include "window/Layout.h"
#include "window/PngReader.h"
#include "window/RegionFromPicture.h"

namespace quibbix {
namespace {

// Every picture is a PNG built into the program. Qt's own reader would first look through the
// image-format plugins on the machine, which must not happen while the application object is being
// made on another thread; nor does the game need any of them. The resources are named in the
// C locale, which asks nothing of the desktop's.
QImage image(const QString& resource) {
    const QResource file(resource, QLocale::c());
    return readPng(file.uncompressedData());
}

QImage image(const char* resource) {
    return image(QString::fromLatin1(resource));
}

// The 2x drawing of a picture lies beside it: board.png and board@2x.png.
QString twoXOf(const char* resource) {
    QString twoX = QString::fromLatin1(resource);
    twoX.insert(twoX.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    return twoX;
}

// A picture of the window at 1x, with its 2x drawing read only when a screen needs it.
Picture picture(const char* resource) {
    return Picture(image(resource), [twoX = twoXOf(resource)] { return image(twoX); });
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

// The same for an opaque drawing at 1x that no one else holds, in its own memory: only the pixels
// outside the outline are written. The board is the size of the window, and a cut copy of it
// doubled what start-up allocates and writes. An opaque pixel reads the same premultiplied, so the
// drawing only changes its format's name: no conversion, which could hand the work to Qt's thread
// pool on a thread where the application object is still being made.
QImage cutOutInPlace(QImage drawing, const QRegion& outline) {
    if (drawing.format() != QImage::Format_RGB32) {
        return cutOut(drawing, drawing.size(), outline);
    }
    QImage cut = std::move(drawing);
    cut.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    for (const QRect& outside : QRegion(cut.rect()) - outline) {
        for (int y = outside.top(); y <= outside.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(cut.scanLine(y));
            std::fill(row + outside.left(), row + outside.right() + 1, QRgb(0));
        }
    }
    return cut;
}

// The picture of `resource` with only the pixels inside the outline left: the outline is the one
// source of the shape, so what is transparent and what the mask cuts away are the same set of
// pixels. The 2x drawing is read and cut only when a screen needs it.
Picture cutOut(const char* resource, Picture picture, const QRegion& outline) {
    const QSize size = picture.size();
    QImage oneX = picture.image();
    picture = Picture();  // oneX is now the drawing's only holder
    return Picture(
        cutOutInPlace(std::move(oneX), outline),
        [twoX = twoXOf(resource), size, outline] { return cutOut(image(twoX), size, outline); });
}

QFont loadScoreFont() {
    // Registered from the program's own bytes rather than a copy read through a file: the font
    // database then reads only the tables it needs.
    static const int builtIn = QFontDatabase::addApplicationFontFromData(
        QResource(QString::fromLatin1(skin::ScoreFontFile), QLocale::c()).uncompressedData());
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

SkinPictures loadSkinPictures() {
    SkinPictures pictures;
    pictures.board = picture(skin::Board);
    pictures.boardOutline = outlineOf(pictures.board);
    pictures.board = cutOut(skin::Board, std::move(pictures.board), pictures.boardOutline);
    for (int pips = 1; pips <= static_cast<int>(pictures.faces.size()); ++pips) {
        const auto face = static_cast<size_t>(pips - 1);
        pictures.faces[face] = picture(skin::DieFace(pips));
        pictures.faceOutlines[face] = outlineOf(pictures.faces[face]);
    }
    pictures.banner = picture(skin::Banner);
    pictures.bannerOutline = outlineOf(pictures.banner);
    pictures.roll = {picture(skin::Roll), picture(skin::RollHover)};
    pictures.reset = {picture(skin::Reset), picture(skin::ResetHover)};
    pictures.quit = {picture(skin::Quit), picture(skin::QuitHover)};
    pictures.icon = image(skin::Icon);
    pictures.noEntry = image(skin::NoEntry);
    return pictures;
}

Skin::Skin(SkinPictures pictures)
    : pictures_(std::move(pictures)),
      // Made from the pictures, which are not kept beside them.
      icon_(QPixmap::fromImage(std::move(pictures_.icon))),
      noEntry_(QPixmap::fromImage(std::move(pictures_.noEntry)), skin::NoEntryHotSpotX,
               skin::NoEntryHotSpotY) {}

const QFont& Skin::scoreFont() const {
    if (!scoreFont_) {
        scoreFont_ = loadScoreFont();
    }
    return *scoreFont_;
}

}  // namespace quibbix
