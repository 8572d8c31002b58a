#pragma once

#include "platform/Services.h"

namespace quibbix {

// The shake of the dice sounds once when the pointer comes over Roll: at start-up and again after
// each click on a score box, until the next click on Roll.
class ShakeCue {
  public:
    explicit ShakeCue(CuePlayer& sounds) : sounds_(sounds) {}

    void arm() { armed_ = true; }
    void disarm() { armed_ = false; }
    // The pointer moved over Roll.
    void pointerOverRoll();

  private:
    CuePlayer& sounds_;
    bool armed_ = false;
};

}  // namespace quibbix
