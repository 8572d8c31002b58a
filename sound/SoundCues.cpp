#include "sound/SoundCues.h"

namespace quibbix {

std::string_view cueFileName(Cue cue) {
    switch (cue) {
        case Cue::Roll:
            return "rolldice.wav";
        case Cue::Shake:
            return "Shakedice.wav";
        case Cue::DieClick:
            return "softplop.wav";
        case Cue::Cheer:
            return "cheer.wav";
        case Cue::Reset:
            return "pop2.wav";
    }
    return {};
}

std::string cuePath(std::string_view programDirectory, Cue cue) {
    std::string path(programDirectory);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += cueFileName(cue);
    return path;
}

}  // namespace quibbix
