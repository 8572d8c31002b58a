#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QRegion>
#include <array>
#include <optional>

#include "window/Picture.h"

// Everything the board looks like, loaded once from what is built into the program: the pictures
// with the outlines cut from them, the no-entry pointer and the score font.
namespace quibbix {

struct ButtonPictures {
    Picture normal;
    Picture lit;
};

// The pictures of the skin decoded, and the outlines cut from them: plain images and regions, so
// that they can be made on a thread of their own while the application connects to the display.
struct SkinPictures {
    Picture board;  // every pixel outside its outline transparent
    QRegion boardOutline;
    std::array<Picture, 6> faces;
    std::array<QRegion, 6> faceOutlines;
    Picture banner;
    QRegion bannerOutline;
    ButtonPictures roll;
    ButtonPictures reset;
    ButtonPictures quit;
    QImage icon;     // handed over to the window's icon
    QImage noEntry;  // handed over to the pointer
};

// Safe on any thread, before or while the application object is made.
SkinPictures loadSkinPictures();

class Skin {
  public:
    // Needs the application object: the icon and the pointer are made from the pictures here.
    explicit Skin(SkinPictures pictures);

    // The board with every pixel outside its outline transparent, for a window system that does
    // not cut a window by its mask.
    const Picture& board() const { return pictures_.board; }
    const QRegion& boardOutline() const { return pictures_.boardOutline; }
    // A die showing `pips` (1..6).
    const Picture& face(int pips) const {
        return pictures_.faces.at(static_cast<size_t>(pips - 1));
    }
    const QRegion& faceOutline(int pips) const {
        return pictures_.faceOutlines.at(static_cast<size_t>(pips - 1));
    }
    const Picture& banner() const { return pictures_.banner; }
    const QRegion& bannerOutline() const { return pictures_.bannerOutline; }
    const ButtonPictures& rollButton() const { return pictures_.roll; }
    const ButtonPictures& resetButton() const { return pictures_.reset; }
    const ButtonPictures& quitButton() const { return pictures_.quit; }
    const QIcon& icon() const { return icon_; }
    const QCursor& noEntry() const { return noEntry_; }
    // Loaded the first time it is asked for: finding it starts the desktop's font database, which
    // nothing else on the board needs.
    const QFont& scoreFont() const;

  private:
    SkinPictures pictures_;
    QIcon icon_;
    QCursor noEntry_;
    mutable std::optional<QFont> scoreFont_;
};

}  // namespace quibbix
