#include "game/Scoring.h"

namespace quibbix {
namespace {

using Dice = std::array<int16_t, DieCount>;

// How many dice show each value 0..5.
std::array<int, FaceCount> CountFaces(const Dice& dice) {
    std::array<int, FaceCount> counts{};
    for (int16_t value : dice) {
        if (value >= 0 && value < FaceCount) {
            ++counts[value];
        }
    }
    return counts;
}

int PipTotal(const Dice& dice) {
    int total = 0;
    for (int16_t value : dice) {
        total += value + 1;
    }
    return total;
}

int UpperBox(const Dice& dice, int16_t value) {
    int points = 0;
    for (int16_t die : dice) {
        if (die == value) {
            points += value + 1;
        }
    }
    return points;
}

int OfAKind(const Dice& dice, int threshold) {
    for (int count : CountFaces(dice)) {
        if (count >= threshold) {
            return PipTotal(dice);
        }
    }
    return 0;
}

int FullHouse(const Dice& dice) {
    bool three = false;
    bool two = false;
    for (int count : CountFaces(dice)) {
        three = three || count == 3;
        two = two || count == 2;
    }
    return three && two ? 25 : 0;
}

// True when every face of the run first..first+length-1 shows on at least one die.
bool HasRun(const std::array<int, FaceCount>& counts, int first, int length) {
    for (int value = first; value < first + length; ++value) {
        if (counts[value] == 0) {
            return false;
        }
    }
    return true;
}

int SmallStraight(const Dice& dice) {
    const auto counts = CountFaces(dice);
    return HasRun(counts, 0, 4) || HasRun(counts, 1, 4) || HasRun(counts, 2, 4) ? 30 : 0;
}

int LargeStraight(const Dice& dice) {
    const auto counts = CountFaces(dice);
    return HasRun(counts, 0, 5) || HasRun(counts, 1, 5) ? 40 : 0;
}

int Points(const Dice& dice, int16_t box) {
    if (box >= 0 && box <= 5) {
        return UpperBox(dice, box);
    }
    switch (box) {
        case 6:
            return OfAKind(dice, 3);
        case 7:
            return OfAKind(dice, 4);
        case 8:
            return FullHouse(dice);
        case 9:
            return SmallStraight(dice);
        case 10:
            return LargeStraight(dice);
        case 11:
            return PipTotal(dice);
        default:
            return 0;
    }
}

}  // namespace

int16_t ScoreCategory(const Dice& dieValue, int16_t box) {
    return static_cast<int16_t>(Points(dieValue, box));
}

}  // namespace quibbix
