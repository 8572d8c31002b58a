#pragma once

#include <array>
#include <optional>

#include "platform/Services.h"
#include "platform/Twips.h"

namespace quibbix {

inline constexpr int DieCount = 5;
inline constexpr int FaceCount = 6;

// Where the start row, the holder row and the table area lie, in twips.
inline constexpr int32_t HolderTop = 7500;
inline constexpr int32_t StartTop = 5000;
inline constexpr int32_t StartLeft[DieCount] = {6200, 7300, 8400, 9500, 10600};
inline constexpr int32_t HolderSlotLeft[DieCount] = {400, 1600, 2800, 4000, 5200};

// The table the dice are rolled on: a roll draws its spots from the table's top-left corner (right
// of the score card) across shares of the board's size, and a die's size is what must not
// overlap. Given once, by the window that shows the board.
struct TableSize {
    TwipsSize board;
    TwipsSize die;
    TwipsPoint corner;
};

// One die as it lies on the board.
struct Die {
    int pips = FaceCount;  // 1..6; a new game shows six
    TwipsPoint position;
    std::optional<int> holderSlot;  // set while the die is held
    // Where the last roll that moved this die left it; kept while the die is held or moved by hand.
    TwipsRect lastRolled;

    bool isHeld() const { return holderSlot.has_value(); }
};

// The five dice on the felt: the roll with its placement, the holder row and the start row.
class DiceTable {
  public:
    explicit DiceTable(RandomSource& random) : random_(random) {}

    const Die& die(int index) const { return dice_.at(static_cast<size_t>(index)); }
    // The pips each die shows.
    std::array<int, DieCount> faces() const;
    bool allSameFace() const;

    // Every die that is not held gets a new face and a free spot on the table.
    void roll(const TableSize& table);
    // Holds a die in the first free holder slot, or releases a held one onto the board.
    void toggle(int index);
    // Lines the dice up in the start row and frees the holder.
    void returnToStart();

    // Lays the dice as a roll might have left them, for a game set up part-way through.
    void lay(const std::array<int, DieCount>& pips, const std::array<TwipsPoint, DieCount>& spots);

  private:
    void place(int index, TwipsPoint target, const TableSize& table);
    bool overlapsLowerDie(int index) const;
    int32_t draw(double span, double share = 1.0);

    RandomSource& random_;
    std::array<Die, DieCount> dice_{};
};

}  // namespace quibbix
