#include "table/DiceTable.h"

#include <algorithm>
#include <cmath>

namespace quibbix {
namespace {

constexpr double LeftSpanOfWidth = 0.55;
constexpr double FirstTopSpanOfHeight = 0.62;
constexpr double RedrawTopSpanOfHeight = 0.68;
constexpr double ReleaseTopSpan = 5500;
constexpr double ReleaseLeftSpan = 9000;

// Rectangles that only touch along an edge or a corner do not overlap; an empty one overlaps
// nothing.
bool overlap(const TwipsRect& a, const TwipsRect& b) {
    return std::max(a.left, b.left) < std::min(a.left + a.width, b.left + b.width) &&
           std::max(a.top, b.top) < std::min(a.top + a.height, b.top + b.height);
}

}  // namespace

std::array<int, DieCount> DiceTable::faces() const {
    std::array<int, DieCount> faces{};
    for (int index = 0; index < DieCount; ++index) {
        faces[index] = dice_[index].pips;
    }
    return faces;
}

bool DiceTable::allSameFace() const {
    return std::all_of(dice_.begin(), dice_.end(),
                       [this](const Die& die) { return die.pips == dice_[0].pips; });
}

int32_t DiceTable::draw(double span, double share) {
    // Multiplied in this order, r x span x share, so a scripted r gives exactly the expected spot.
    return static_cast<int32_t>(std::trunc(random_.nextUniform() * span * share));
}

void DiceTable::roll(const TableSize& table) {
    // Every target is drawn before any die moves, held dice included: the order of the draws is
    // part of the game's contract with a seeded or scripted generator.
    std::array<TwipsPoint, DieCount> targets{};
    for (TwipsPoint& target : targets) {
        target.left = draw(table.board.width, LeftSpanOfWidth) + table.corner.left;
        target.top = draw(table.board.height, FirstTopSpanOfHeight) + table.corner.top;
    }
    for (int index = 0; index < DieCount; ++index) {
        place(index, targets[index], table);
    }
}

void DiceTable::place(int index, TwipsPoint target, const TableSize& table) {
    Die& die = dice_[index];
    while (!die.isHeld()) {
        die.pips = draw(FaceCount) + 1;
        die.position = target;
        die.lastRolled = {target.left, target.top, table.die.width, table.die.height};
        if (!overlapsLowerDie(index)) {
            return;
        }
        // A re-drawn spot may lie lower than a first one.
        target.left = draw(table.board.width, LeftSpanOfWidth) + table.corner.left;
        target.top = draw(table.board.height, RedrawTopSpanOfHeight) + table.corner.top;
    }
}

bool DiceTable::overlapsLowerDie(int index) const {
    // A held die still keeps the spot where its last roll left it, although it lies in the holder.
    for (int lower = index - 1; lower >= 0; --lower) {
        if (overlap(dice_[index].lastRolled, dice_[lower].lastRolled)) {
            return true;
        }
    }
    return false;
}

void DiceTable::toggle(int index) {
    Die& die = dice_.at(static_cast<size_t>(index));
    if (die.isHeld()) {
        // Released without any overlap test: the die may land on another die or on the scorecard.
        die.position.top = draw(ReleaseTopSpan);
        die.position.left = draw(ReleaseLeftSpan);
        die.holderSlot.reset();
        return;
    }
    for (int slot = 0; slot < DieCount; ++slot) {
        const bool taken = std::any_of(dice_.begin(), dice_.end(), [slot](const Die& other) {
            return other.holderSlot == slot;
        });
        if (!taken) {
            die.holderSlot = slot;
            die.position = {HolderSlotLeft[slot], HolderTop};
            return;
        }
    }
}

void DiceTable::returnToStart() {
    for (int index = 0; index < DieCount; ++index) {
        dice_[index].position = {StartLeft[index], StartTop};
        dice_[index].holderSlot.reset();
    }
}

void DiceTable::lay(const std::array<int, DieCount>& pips,
                    const std::array<TwipsPoint, DieCount>& spots) {
    for (int index = 0; index < DieCount; ++index) {
        dice_[index].pips = pips[index];
        dice_[index].position = spots[index];
        dice_[index].holderSlot.reset();
    }
}

}  // namespace quibbix
