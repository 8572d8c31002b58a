#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "game/NumberText.h"

namespace quibbix {
namespace {

constexpr int16_t MaxRollsPerTurn = 3;
constexpr double LeftSpanOfWidth = 0.55;
constexpr double FirstTopSpanOfHeight = 0.62;
constexpr double RedrawTopSpanOfHeight = 0.68;

// Rectangles that only touch along an edge or a corner do not overlap; an empty one overlaps
// nothing.
bool Overlap(const DieRectangle& a, const DieRectangle& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace

void Game::RequestRoll() {
    if (state_.RollCount > MaxRollsPerTurn - 1) {
        return;
    }
    if (!HasOpenCategory()) {
        return;
    }
    board_.SetBannerVisible(false);
    RollDice();
}

void Game::RollDice() {
    services_.sounds.Play(Cue::Roll);
    ++state_.RollCount;
    if (state_.RollCount > MaxRollsPerTurn) {
        return;
    }
    for (int die = 0; die < DieCount; ++die) {
        state_.RollLeft[die] = static_cast<int16_t>(LeftDraw());
        state_.RollTop[die] = static_cast<int16_t>(FirstTopDraw());
    }
    for (int die = 0; die < DieCount; ++die) {
        PlaceDie(die);
    }
    const int16_t award = CheckFiveOfAKind();
    if (award != 0) {
        const int64_t box = NumericValue(board_.BoxText(FiveOfAKindBox));
        board_.SetBoxText(FiveOfAKindBox, DecimalText(AddClamped(box, award)));
        UpdateTotal();
    }
}

void Game::PlaceDie(int die) {
    while (!IsHeld(die)) {
        state_.DieValue[die] = FaceDraw();
        board_.ShowFace(die, state_.DieValue[die]);
        board_.SetDieTop(die, state_.RollTop[die]);
        board_.SetDieLeft(die, state_.RollLeft[die]);
        const int32_t left = board_.DieLeft(die);
        const int32_t top = board_.DieTop(die);
        state_.DieRect[die] = {left, top, left + board_.DieWidth(die), top + board_.DieHeight(die)};
        if (!OverlapsLowerDie(die)) {
            // Only the attempt that stays builds a shape: building one is the costly step.
            board_.ShapeDie(die);
            return;
        }
        state_.RollLeft[die] = static_cast<int16_t>(LeftDraw());
        state_.RollTop[die] = static_cast<int16_t>(RedrawTop());
    }
}

bool Game::OverlapsLowerDie(int die) const {
    for (int lower = die - 1; lower >= 0; --lower) {
        if (Overlap(state_.DieRect[die], state_.DieRect[lower])) {
            return true;
        }
    }
    return false;
}

int32_t Game::Draw(double span, double share) {
    // Multiplied in this order, r x span x share, so a scripted r gives exactly the expected spot.
    return static_cast<int32_t>(std::trunc(services_.random.NextUniform() * span * share));
}

int32_t Game::LeftDraw() {
    return Draw(board_.WindowWidth(), LeftSpanOfWidth) + TableLeft;
}

int32_t Game::FirstTopDraw() {
    return Draw(board_.WindowHeight(), FirstTopSpanOfHeight) + TableTop;
}

int32_t Game::RedrawTop() {
    return Draw(board_.WindowHeight(), RedrawTopSpanOfHeight) + TableTop;
}

int16_t Game::FaceDraw() {
    return static_cast<int16_t>(Draw(FaceCount));
}

}  // namespace quibbix
