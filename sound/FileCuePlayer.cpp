#include "sound/FileCuePlayer.h"

#include "sound/SoundCues.h"

namespace quibbix {

void FileCuePlayer::play(Cue cue) {
    output_.playFile(cuePath(directory_.path(), cue));
}

}  // namespace quibbix
