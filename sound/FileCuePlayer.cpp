#include "sound/FileCuePlayer.h"

#include "sound/SoundCues.h"
#include "sound/SoundLookup.h"

namespace quibbix {

void FileCuePlayer::PrepareAll() {
    for (Cue cue : {Cue::Roll, Cue::Shake, Cue::DieClick, Cue::Cheer, Cue::Reset}) {
        output_.Prepare(SoundFilePath(directory_.Path(), CueFileName(cue)));
    }
}

void FileCuePlayer::Play(Cue cue) {
    output_.PlayFile(SoundFilePath(directory_.Path(), CueFileName(cue)));
}

}  // namespace quibbix
