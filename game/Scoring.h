#pragma once

#include <array>
#include <optional>

#include "table/DiceTable.h"

namespace quibbix {

// The points five dice (faces 0..5 for 1..6 pips) are worth in score box `box` (0..12). Box 12
// only ever receives the five-of-a-kind award, so a click on it is worth 0; any index outside
// 0..11 is worth 0 too.
int scoreFor(int box, const std::array<int, DieCount>& faces);

// The most score box `box` (0..11) can ever hold: its points for the best five dice. Box 12 has
// no such ceiling, since every five of a kind adds to it.
std::optional<int> mostPointsFor(int box);

}  // namespace quibbix
