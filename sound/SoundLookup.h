#pragma once

#include <string>
#include <string_view>

namespace quibbix {

// Where a sound file of the game is read from. Beside the program comes first, so a build tree or
// an unpacked copy plays its own sounds; then ../share/quibbix/sounds/ from the program's
// directory, where an installed program finds them under any prefix. A file found in neither place
// keeps the path beside the program, and playing it is passed over like any missing sound.
std::string soundFilePath(std::string_view programDirectory, std::string_view fileName);

}  // namespace quibbix
