#pragma once

namespace quibbix {

enum class Cue { Roll, Shake, DieClick, Cheer, Reset };

// Plays the sound of a cue in the background; never waited for, never fails visibly.
class CuePlayer {
  public:
    virtual ~CuePlayer() = default;
    virtual void play(Cue cue) = 0;
};

}  // namespace quibbix
