#pragma once

#include <array>
#include <optional>

#include "game/Box.h"
#include "table/DiceTable.h"

namespace quibbix {

// The points five dice (their pips, 1..6) are worth in a box. The five-of-a-kind box
// only ever receives the award, so a click on it is worth 0.
int scoreFor(Box box, const std::array<int, DieCount>& faces);

// The most a box can ever hold: its points for the best five dice. The five-of-a-kind box has no
// such ceiling, since every five of a kind adds to it.
std::optional<int> mostPointsFor(Box box);

}  // namespace quibbix
