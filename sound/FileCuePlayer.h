#pragma once

#include "platform/Services.h"

namespace quibbix {

// Sounds each cue from its file, found beside the program or in the installed data folder.
class FileCuePlayer : public CuePlayer {
  public:
    FileCuePlayer(const ProgramDirectory& directory, AudioOutput& output)
        : directory_(directory), output_(output) {}
    void play(Cue cue) override;

  private:
    const ProgramDirectory& directory_;
    AudioOutput& output_;
};

}  // namespace quibbix
