#include "sound/FileCuePlayer.h"

#include "sound/SoundCues.h"

namespace quibbix {

void FileCuePlayer::Play(Cue cue) {
    output_.PlayFile(CuePath(directory_.Path(), cue));
}

}  // namespace quibbix
