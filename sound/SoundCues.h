#pragma once

#include <string_view>

#include "platform/Services.h"

namespace quibbix {

// The name of the file that sounds a cue (the case matters).
std::string_view cueFileName(Cue cue);

}  // namespace quibbix
