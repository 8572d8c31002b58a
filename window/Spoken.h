#pragma once

#include <array>
#include <optional>
#include <string>

#include "game/Box.h"
#include "table/DiceTable.h"

// What a screen reader says for each control of the board and for each change a move makes: what
// the control is and its state, in plain words. Plain C++, so that the wording can be tested
// without a window.
namespace quibbix::spoken {

// Roll with the rolls left in this turn, or that the card is full.
std::string roll(int rollsLeft, bool cardFull);
// Die 0..4, spoken as 1..5 like the keys that hold it, with its pips (1..6).
std::string die(int die, int pips, bool held);
// A box by its name, and its score; or "open", with the points a click would enter for the dice on
// the table when there are any.
std::string box(Box box, const std::string& text, std::optional<int> pointsOnOffer = std::nullopt);
std::string bonus(const std::string& text);
std::string total(const std::string& text);
std::string banner();

// What the board shows, as far as a player follows the game by it.
struct Board {
    std::array<int, DieCount> faces{};  // pips
    std::array<bool, DieCount> held{};
    PerBox<std::string> boxes;
    std::string bonus;
    std::string total;
    bool banner = false;
    int rollsLeft = 0;
    bool cardFull = false;
};

// What the player asked for: a click, a key or an accessible action on one of these.
enum class Move { Roll, Hold, Score, Reset };

// What `move` changed from `before` to `after`, in the order a player wants it (the dice, then the
// card, then what comes next), as sentences; empty when it changed nothing worth telling.
std::string news(Move move, const Board& before, const Board& after);

}  // namespace quibbix::spoken
