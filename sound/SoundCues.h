#pragma once

#include <string>
#include <string_view>

#include "sound/Cue.h"

namespace quibbix {

// The file that sounds a cue, exactly as it lies beside the program (the case matters).
std::string_view cueFileName(Cue cue);

// The program's directory joined with the cue's file name.
std::string cuePath(std::string_view programDirectory, Cue cue);

}  // namespace quibbix
