#include "platform/SeededRandom.h"

#include <bit>
#include <chrono>
#include <ctime>

namespace quibbix {

SeededRandom::SeededRandom(float secondsSinceMidnight)
    : engine_(std::bit_cast<uint32_t>(secondsSinceMidnight)) {}

double SeededRandom::nextUniform() {
    // 53 random bits scaled into [0, 1); generate_canonical may round up to exactly 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

float secondsSinceMidnight() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto fraction =
        std::chrono::duration<float>(now - std::chrono::floor<std::chrono::seconds>(now));
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) +
           fraction.count();
}

}  // namespace quibbix
