#include "sound/ShakeCue.h"

namespace quibbix {

void ShakeCue::pointerOverRoll() {
    if (armed_) {
        armed_ = false;
        sounds_.play(Cue::Shake);
    }
}

}  // namespace quibbix
