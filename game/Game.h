#pragma once

#include <array>
#include <optional>

#include "game/BoardView.h"
#include "game/Scorecard.h"
#include "platform/Services.h"
#include "sound/ShakeCue.h"
#include "table/DiceTable.h"

namespace quibbix {

// A game part-way through, for tests: the dice where a roll left them and the card filled so far.
struct GameSetup {
    int rollsTaken = 0;                              // with 0 the dice stand in the start row
    std::array<int, DieCount> faces{6, 6, 6, 6, 6};  // pips
    std::array<TwipsPoint, DieCount> spots{};
    Scorecard::Boxes boxes{};
    bool bonus = false;
    bool fiveOfAKindScored = false;
};

// The turn flow: what each thing the player does on the board means for the game. The game owns
// its state, shows it through the view and reaches the outside world only through the services.
class Game {
  public:
    Game(BoardView& view, TableSize table, Services services);

    // Brings the game into the new-game state and shows it.
    void start();
    void start(const GameSetup& setup);

    // A click on Roll: rolls unless the turn's three rolls are used or the card is full.
    void roll();
    // The pointer moved over Roll: the dice may shake, and Roll shows whether a click would roll.
    void pointerOverRoll();
    // A click on a die: holds it or puts it back, once the turn's first roll has been made.
    void toggleDie(int die);
    // A click on a score box: enters the dice's points there, asking first before a zero.
    void scoreBox(Box box);
    // A click on Reset: clears the card for a new game, if the player confirms.
    void reset();
    // A click on Quit: whether the player confirms.
    bool confirmQuit();

  private:
    // Rolls still allowed in this turn: none once the card is full.
    int rollsLeft() const;
    bool cardFull() const { return !card_.hasOpenBox(); }

    void rollDice();
    // Ends the turn and shows and cheers the five of a kind before its award is entered.
    void cheerFiveOfAKind();
    // A zero stands in the box while the player is asked whether to enter it.
    bool playerEntersZero(Box box);
    void endTurn();
    void showDice();
    void showCard();
    void showPointsOnOffer();
    void showRollsLeft();

    BoardView& view_;
    const TableSize tableSize_;
    Services services_;
    DiceTable table_;
    Scorecard card_;
    ShakeCue shake_;
    int rollsTaken_ = 0;  // in this turn, 0..3; 0 means the turn has not started
};

}  // namespace quibbix
