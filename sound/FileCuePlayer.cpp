#include "sound/FileCuePlayer.h"

#include "sound/SoundCues.h"

namespace quibbix {

void FileCuePlayer::PrepareAll() {
    for (Cue cue : {Cue::Roll, Cue::Shake, Cue::DieClick, Cue::Cheer, Cue::Reset}) {
        output_.Prepare(CuePath(directory_.Path(), cue));
    }
}

void FileCuePlayer::Play(Cue cue) {
    output_.PlayFile(CuePath(directory_.Path(), cue));
}

}  // namespace quibbix
