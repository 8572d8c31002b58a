#pragma once

#include <cstdint>
#include <random>

#include "platform/Services.h"

namespace quibbix {

// Uniform numbers from a generator seeded once, from the time of day, so every run rolls
// differently.
class SeededRandom : public RandomSource {
  public:
    explicit SeededRandom(float secondsSinceMidnight);

    double nextUniform() override;

  private:
    std::mt19937_64 engine_;
};

// Seconds since local midnight, the seed of a new game.
float secondsSinceMidnight();

}  // namespace quibbix
