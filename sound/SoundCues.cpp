#include "sound/SoundCues.h"

#include "assets/SkinAssets.h"

namespace quibbix {

std::string_view cueFileName(Cue cue) {
    switch (cue) {
        case Cue::Roll:
            return skin::RollSound;
        case Cue::Shake:
            return skin::ShakeSound;
        case Cue::DieClick:
            return skin::DieClickSound;
        case Cue::Cheer:
            return skin::CheerSound;
        case Cue::Reset:
            return skin::ResetSound;
    }
    return {};
}

}  // namespace quibbix
