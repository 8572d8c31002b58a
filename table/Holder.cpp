#include "game/Game.h"

namespace quibbix {
namespace {

constexpr double ReleaseTopSpan = 5500;
constexpr double ReleaseLeftSpan = 9000;

}  // namespace

void Game::tpicRolled_Click(int16_t index) {
    if (state_.RollCount == 0 || index < 0 || index >= DieCount) {
        return;
    }
    services_.sounds.Play(Cue::DieClick);
    if (IsHeld(index)) {
        board_.SetDieTop(index, Draw(ReleaseTopSpan));
        for (int slot = 0; slot < DieCount; ++slot) {
            if (state_.HolderLeft[slot] == board_.DieLeft(index)) {
                state_.SlotUsed[slot] = FlagClear;
                break;
            }
        }
        board_.SetDieLeft(index, Draw(ReleaseLeftSpan));
        return;
    }
    for (int slot = 0; slot < DieCount; ++slot) {
        if (state_.SlotUsed[slot] == FlagClear) {
            board_.SetDieLeft(index, state_.HolderLeft[slot]);
            board_.SetDieTop(index, HolderTop);
            state_.SlotUsed[slot] = FlagSet;
            return;
        }
    }
}

void Game::ReturnDiceToStart() {
    for (int die = 0; die < DieCount; ++die) {
        board_.SetDieLeft(die, StartLeft[die]);
    }
    for (int die = 0; die < DieCount; ++die) {
        board_.SetDieTop(die, StartTop);
    }
}

}  // namespace quibbix
