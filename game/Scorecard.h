#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quibbix {

inline constexpr int BoxCount = 13;
inline constexpr int FiveOfAKindBox = 12;
inline constexpr int64_t UpperBonus = 35;

// The thirteen score boxes with the upper bonus and the grand total. Values are 64-bit: the
// five-of-a-kind box grows by 100 with every award and must never wrap.
class Scorecard {
  public:
    using Boxes = std::array<std::optional<int64_t>, BoxCount>;

    Scorecard() = default;
    // A card filled so far, for a game set up part-way through.
    Scorecard(const Boxes& boxes, bool bonus, bool fiveOfAKindScored)
        : boxes_(boxes), bonus_(bonus), fiveOfAKindScored_(fiveOfAKindScored) {}

    bool isOpen(int box) const { return !boxes_.at(static_cast<size_t>(box)).has_value(); }
    bool hasOpenBox() const;

    // What each box shows: its value in decimal digits, or nothing while it is open.
    std::string boxText(int box) const;
    std::string bonusText() const;
    // Empty until the first entry or award of a game.
    std::string totalText() const;

    void enter(int box, int64_t points);
    // Opens a box again: the player declined to enter a zero.
    void takeBack(int box);
    void updateTotal();
    // Gives the bonus, and counts it in the total at once, once the upper boxes sum to 63 or more.
    void checkUpperBonus();
    // The points of a five of a kind: 50 the first time in a game, 100 every later time.
    int nextAward();
    // Adds an award into the five-of-a-kind box, on top of whatever it holds, and updates the
    // total.
    void addAward(int points);
    void clear();

  private:
    Boxes boxes_{};
    bool bonus_ = false;
    std::optional<int64_t> total_;
    bool fiveOfAKindScored_ = false;
};

}  // namespace quibbix
