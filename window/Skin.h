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

class Skin {
  public:
    Skin();

    // The board with every pixel outside its outline transparent, for a window system that does
    // not cut a window by its mask.
    const Picture& board() const { return board_; }
    const QRegion& boardOutline() const { return boardOutline_; }
    // Face 0..5 shows 1..6 pips.
    const Picture& face(int face) const { return faces_.at(static_cast<size_t>(face)); }
    const QRegion& faceOutline(int face) const {
        return faceOutlines_.at(static_cast<size_t>(face));
    }
    const Picture& banner() const { return banner_; }
    const QRegion& bannerOutline() const { return bannerOutline_; }
    const ButtonPictures& rollButton() const { return roll_; }
    const ButtonPictures& resetButton() const { return reset_; }
    const ButtonPictures& quitButton() const { return quit_; }
    const QIcon& icon() const { return icon_; }
    const QCursor& noEntry() const { return noEntry_; }
    // Loaded the first time it is asked for: finding it starts the desktop's font database, which
    // nothing else on the board needs.
    const QFont& scoreFont() const;

  private:
    Picture board_;
    QRegion boardOutline_;
    std::array<Picture, 6> faces_;
    std::array<QRegion, 6> faceOutlines_;
    Picture banner_;
    QRegion bannerOutline_;
    ButtonPictures roll_;
    ButtonPictures reset_;
    ButtonPictures quit_;
    QIcon icon_;
    QCursor noEntry_;
    mutable std::optional<QFont> scoreFont_;
};

}  // namespace quibbix
