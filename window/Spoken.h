#pragma once

#include <string>

// What a screen reader says for each control of the board: what the control is and its state, in
// plain words. Plain C++, so that the wording can be tested without a window.
namespace quibbix::spoken {

// Roll with the rolls left in this turn, or that the card is full.
std::string roll(int rollsLeft, bool cardFull);
// Die 0..4, spoken as 1..5 like the keys that hold it, with its face (0..5 for 1..6 pips).
std::string die(int die, int face, bool held);
// Score box 0..12 with its caption, and its score or "open".
std::string box(int box, const std::string& text);
std::string bonus(const std::string& text);
std::string total(const std::string& text);
std::string banner();

}  // namespace quibbix::spoken
