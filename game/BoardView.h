#pragma once

#include <optional>
#include <string>

#include "game/Box.h"
#include "platform/Twips.h"

namespace quibbix {

// The pointer that Roll shows while the pointer is over it: whether a click would roll.
enum class RollPointer { Arrow, NoEntry };

// What the game shows on the board. The game only ever writes to it, and tells it everything it
// shows: the state lives in the game, and the texts come ready-made from the game's own
// formatting. Positions are twips of the board.
class BoardView {
  public:
    virtual ~BoardView() = default;

    // Die `die` shows `pips` (1..6) with its top-left corner at `position`, in the
    // holder row when `held`.
    virtual void showDie(int die, int pips, TwipsPoint position, bool held) = 0;
    // An empty text leaves the box blank.
    virtual void showBox(Box box, const std::string& text) = 0;
    // What a click on the box would enter with the dice as they lie: none before the turn's first
    // roll and for a box already filled.
    virtual void showPointsOnOffer(Box box, std::optional<int> points) = 0;
    virtual void showBonus(const std::string& text) = 0;
    virtual void showTotal(const std::string& text) = 0;
    virtual void showBanner(bool shown) = 0;
    // The rolls left in this turn, none once the card is full.
    virtual void showRollsLeft(int rollsLeft, bool cardFull) = 0;
    // Told when the pointer moves over Roll.
    virtual void showRollPointer(RollPointer pointer) = 0;
    // Paints what has changed now, without handling any input: a frame of its own for a moment
    // the player must see before the game goes on. (When a sound is heard is not the view's
    // concern: see CuePlayer.)
    virtual void repaintNow() = 0;
};

}  // namespace quibbix
