#pragma once

#include <array>
#include <cstdint>

#include "game/GameState.h"

namespace quibbix {

// The points five dice are worth in score box `box` (0..12). Box 12 only ever receives the
// five-of-a-kind award, so a click on it is worth 0; any index outside 0..11 is worth 0 too.
int16_t ScoreCategory(const std::array<int16_t, DieCount>& dieValue, int16_t box);

}  // namespace quibbix
