#include "sound/FileCuePlayer.h"

#include "sound/SoundCues.h"

namespace quibbix {

void FileCuePlayer::prepareAll() {
    for (Cue cue : {Cue::Roll, Cue::Shake, Cue::DieClick, Cue::Cheer, Cue::Reset}) {
        output_.prepare(cuePath(directory_.path(), cue));
    }
}

void FileCuePlayer::play(Cue cue) {
    output_.playFile(cuePath(directory_.path(), cue));
}

}  // namespace quibbix
