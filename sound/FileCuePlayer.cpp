#include "sound/FileCuePlayer.h"

#include "sound/SoundCues.h"
#include "sound/SoundLookup.h"

namespace quibbix {

void FileCuePlayer::play(Cue cue) {
    output_.playFile(soundFilePath(directory_.path(), cueFileName(cue)));
}

}  // namespace quibbix
