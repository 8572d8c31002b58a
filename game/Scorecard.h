#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/Box.h"

namespace quibbix {

inline constexpr int64_t UpperBonus = 35;

// The thirteen score boxes with the upper bonus and the grand total. Values are 64-bit: the
// five-of-a-kind box grows by 100 with every award and must never wrap.
class Scorecard {
  public:
    using Boxes = PerBox<std::optional<int64_t>>;

    Scorecard() = default;
    // A card filled so far, for a game set up part-way through.
    Scorecard(const Boxes& boxes, bool bonus, bool fiveOfAKindScored)
        : boxes_(boxes), bonus_(bonus), fiveOfAKindScored_(fiveOfAKindScored) {}

    bool isOpen(Box box) const { return !boxes_[box].has_value(); }
    bool hasOpenBox() const;

    // What each box shows: its value in decimal digits, or nothing while it is open.
    std::string boxText(Box box) const;
    std::string bonusText() const;
    // Empty until the first entry or award of a game.
    std::string totalText() const;

    // The text a box shows for these points.
    static std::string textOf(int64_t points);

    // Enters a score in an open box, and brings the bonus (once the upper boxes sum to 63 or more)
    // and the total up to date.
    void enter(Box box, int64_t points);
    // Adds the award for a five of a kind into its box, on top of whatever the box holds (50 the
    // first time in a game, 100 every later time), and brings the total up to date.
    void takeFiveOfAKindAward();
    void clear();

  private:
    void updateTotal();

    Boxes boxes_{};
    bool bonus_ = false;
    std::optional<int64_t> total_;
    bool fiveOfAKindScored_ = false;
};

}  // namespace quibbix
