#include "game/Game.h"

#include "game/Scoring.h"
#include "platform/Twips.h"

namespace quibbix {

void Game::Form_Load() {
    state_.ShakeArmed = FlagSet;  // the first move over Roll shakes the dice
    for (int slot = 0; slot < DieCount; ++slot) {
        state_.HolderLeft[slot] = HolderSlotLeft[slot];
    }
    ReturnDiceToStart();
    state_.RollCount = 0;
}

void Game::imgRoll_Click() {
    RequestRoll();
    state_.ShakeArmed = FlagClear;
}

RollPointer Game::imgRoll_MouseMove() {
    const RollPointer pointer =
        HasOpenCategory() && state_.RollCount <= 2 ? RollPointer::Arrow : RollPointer::NoEntry;
    if (state_.ShakeArmed == FlagSet) {
        state_.ShakeArmed = FlagClear;
        services_.sounds.Play(Cue::Shake);
    }
    return pointer;
}

void Game::imgReset_Click() {
    ResetGame();
}

bool Game::ConfirmQuit() {
    return services_.questions.Ask("Are you sure you want to quit?", "Quibbix!") == Answer::Yes;
}

void Game::Form_MouseDown(double xTwips, double yTwips) {
    state_.DragX = RoundHalfEven(xTwips);
    state_.DragY = RoundHalfEven(yTwips);
}

std::optional<WindowShift> Game::Form_MouseMove(int buttons, double xTwips, double yTwips) const {
    constexpr int LeftButtonAlone = 1;
    if (buttons != LeftButtonAlone) {
        return std::nullopt;
    }
    // The point grabbed at the press stays under the pointer.
    return WindowShift{RoundHalfEven(xTwips - state_.DragX), RoundHalfEven(yTwips - state_.DragY)};
}

int16_t Game::ScoreCategory(int16_t box) const {
    return quibbix::ScoreCategory(state_.DieValue, box);
}

}  // namespace quibbix
