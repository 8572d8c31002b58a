#pragma once

#include "tools/skin/Synth.h"

// The five sounds of the game, each synthesized from a fixed seed.
namespace quibbix::skin_generator {

Signal makeRollDice();   // dice rattling across the table
Signal makeShakeDice();  // dice shaken in a cup
Signal makeSoftPlop();   // a die set down into or lifted from the holder
Signal makeCheer();      // a short brass fanfare for five of a kind
Signal makePop();        // the scorecard cleared

}  // namespace quibbix::skin_generator
