#pragma once

#include <cstdint>
#include <string>

namespace quibbix {

inline constexpr int ScoreBoxCount = 13;
inline constexpr int16_t FiveOfAKindBox = 12;

// The items of the board that hold part of the game. The window implements this over its real
// controls, the tests over plain fields; the rules keep no second copy of any of it.
// Positions and sizes are twips of the window's client area.
class Board {
  public:
    virtual ~Board() = default;

    virtual int32_t DieLeft(int die) const = 0;
    virtual int32_t DieTop(int die) const = 0;
    virtual int32_t DieWidth(int die) const = 0;
    virtual int32_t DieHeight(int die) const = 0;
    virtual void SetDieLeft(int die, int32_t twips) = 0;
    virtual void SetDieTop(int die, int32_t twips) = 0;
    // Gives the die the picture of the face store's element `value` (0..5 for 1..6 pips); the die
    // takes that picture's size.
    virtual void ShowFace(int die, int16_t value) = 0;
    // Cuts the die to the outline of the picture it shows now.
    virtual void ShapeDie(int die) = 0;

    // Score boxes 0..12; an empty text means the box is open.
    virtual std::string BoxText(int box) const = 0;
    virtual void SetBoxText(int box, const std::string& text) = 0;
    virtual std::string BonusText() const = 0;
    virtual void SetBonusText(const std::string& text) = 0;
    virtual std::string TotalText() const = 0;
    virtual void SetTotalText(const std::string& text) = 0;

    virtual bool BannerVisible() const = 0;
    virtual void SetBannerVisible(bool visible) = 0;

    virtual int32_t WindowWidth() const = 0;
    virtual int32_t WindowHeight() const = 0;
};

}  // namespace quibbix
