#include "game/Game.h"
#include "game/NumberText.h"

namespace quibbix {
namespace {

constexpr int64_t UpperBonusThreshold = 62;  // the upper boxes must sum to more than this
constexpr const char* UpperBonusText = "35";
constexpr int16_t FirstAward = 50;
constexpr int16_t LaterAward = 100;

}  // namespace

void Game::lblScore_Click(int16_t index) {
    state_.ShakeArmed = FlagSet;  // every click on a box lets the next hover over Roll shake
    if (state_.RollCount == 0) {
        return;
    }
    if (index < 0 || index >= ScoreBoxCount || !board_.BoxText(index).empty()) {
        return;
    }
    const int16_t points = ScoreCategory(index);
    board_.SetBoxText(index, DecimalText(points));
    if (points == 0 &&
        services_.questions.Ask("Score ZERO points here?", "Quibbix!!") == Answer::No) {
        board_.SetBoxText(index, "");
        return;
    }
    ReturnDiceToStart();
    state_.RollCount = 0;
    UpdateTotal();
    ClearHolderSlots();
    TestUpperBonus();
}

void Game::TestUpperBonus() {
    int64_t upper = 0;
    for (int box = 0; box <= 5; ++box) {
        upper = AddClamped(upper, NumericValue(board_.BoxText(box)));
    }
    if (upper > UpperBonusThreshold) {
        board_.SetBonusText(UpperBonusText);
        UpdateTotal();
    }
}

void Game::UpdateTotal() {
    state_.ScoreSum = 0;
    for (int box = 0; box < ScoreBoxCount; ++box) {
        state_.ScoreSum = AddClamped(state_.ScoreSum, NumericValue(board_.BoxText(box)));
    }
    board_.SetTotalText(DecimalText(AddClamped(state_.ScoreSum, NumericValue(board_.BonusText()))));
}

int16_t Game::CheckFiveOfAKind() {
    const int16_t first = state_.DieValue[0];
    for (int16_t value : state_.DieValue) {
        if (value != first) {
            return 0;
        }
    }
    ClearHolderSlots();
    const int16_t award = state_.FiveScored != 0 ? LaterAward : FirstAward;
    state_.FiveScored = 1;
    state_.RollCount = 0;
    ReturnDiceToStart();
    board_.SetBannerVisible(true);
    // Paint only: handling queued clicks here would let a reset or a quit run in the middle of
    // the award. They run after the award has been entered.
    services_.repainter.RepaintNow();
    services_.sounds.Play(Cue::Cheer);
    return award;
}

void Game::ResetGame() {
    if (services_.questions.Ask("Are you sure you want to reset the game?", "Quibbix!!") ==
        Answer::No) {
        return;
    }
    board_.SetBannerVisible(false);
    board_.SetBonusText("");
    for (int box = 0; box < ScoreBoxCount; ++box) {
        board_.SetBoxText(box, "");
    }
    board_.SetTotalText("");
    state_.RollCount = 0;
    ReturnDiceToStart();
    services_.sounds.Play(Cue::Reset);
    ClearHolderSlots();
    state_.FiveScored = 0;
}

bool Game::HasOpenCategory() const {
    bool open = false;
    for (int box = 0; box < ScoreBoxCount; ++box) {
        open = open || board_.BoxText(box).empty();
    }
    return open;
}

void Game::ClearHolderSlots() {
    state_.SlotUsed.fill(FlagClear);
}

}  // namespace quibbix
