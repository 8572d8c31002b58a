#pragma once

#include <cstdint>
#include <optional>

#include "game/Board.h"
#include "game/GameState.h"
#include "platform/Services.h"
#include "sound/Cue.h"

namespace quibbix {

// Where the start row, the holder row and the table area lie, in twips.
inline constexpr int32_t HolderTop = 7500;
inline constexpr int32_t StartTop = 5000;
inline constexpr int32_t StartLeft[DieCount] = {6200, 7300, 8400, 9500, 10600};
inline constexpr int32_t HolderSlotLeft[DieCount] = {400, 1600, 2800, 4000, 5200};
inline constexpr int32_t TableLeft = 2985;  // right edge of the score boxes
inline constexpr int32_t TableTop = 85;

enum class RollPointer { Arrow, NoEntry };

// How far the window follows the pointer during a drag, in twips.
struct WindowShift {
    int32_t dx = 0;
    int32_t dy = 0;
};

struct Services {
    RandomSource& random;
    QuestionBox& questions;
    Repainter& repainter;
    CuePlayer& sounds;
};

// The game: its state, the rules, and one handler for each thing the player does on the board.
// It reads and writes the board only through `Board`, and reaches the outside world only through
// `Services`.
class Game {
  public:
    Game(Board& board, Services services) : board_(board), services_(services) {}

    const GameState& State() const { return state_; }
    GameState& State() { return state_; }

    // Start-up: brings a freshly created window into the new-game state.
    void Form_Load();

    // What the player does.
    void imgRoll_Click();
    RollPointer imgRoll_MouseMove();
    void tpicRolled_Click(int16_t index);
    void lblScore_Click(int16_t index);
    void imgReset_Click();
    bool ConfirmQuit();
    void Form_MouseDown(double xTwips, double yTwips);
    std::optional<WindowShift> Form_MouseMove(int buttons, double xTwips, double yTwips) const;

    // The procedures behind them.
    void RequestRoll();
    void RollDice();
    void ReturnDiceToStart();
    int16_t ScoreCategory(int16_t box) const;
    void UpdateTotal();
    int16_t CheckFiveOfAKind();
    void ResetGame();
    bool HasOpenCategory() const;

    bool IsHeld(int die) const { return board_.DieTop(die) == HolderTop; }

  private:
    int32_t LeftDraw();
    int32_t FirstTopDraw();
    int32_t RedrawTop();
    int16_t FaceDraw();
    int32_t Draw(double span, double share = 1.0);
    void PlaceDie(int die);
    bool OverlapsLowerDie(int die) const;
    void ClearHolderSlots();
    void TestUpperBonus();

    Board& board_;
    Services services_;
    GameState state_;
};

}  // namespace quibbix
