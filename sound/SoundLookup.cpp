#include "sound/SoundLookup.h"

#include <filesystem>
#include <system_error>

namespace quibbix {

namespace {

std::string Join(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

bool IsFile(const std::string& path) {
    std::error_code error;  // an unreadable folder counts as no file there
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string soundFilePath(std::string_view programDirectory, std::string_view fileName) {
    const std::string beside = Join(programDirectory, fileName);
    if (IsFile(beside)) {
        return beside;
    }
    const std::string installed = Join(Join(programDirectory, "../share/quibbix/sounds"), fileName);
    return IsFile(installed) ? installed : beside;
}

}  // namespace quibbix
