#include "randomsource.h"

#include <chrono>

TClockRandom::TClockRandom() {
  const auto now = std::chrono::system_clock::now().time_since_epoch().count();
  // Both halves of the clock's count, so that the fast-moving low bits and the
  // date both reach the seed.
  std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
  Generator.seed(seed);
}

std::int32_t TClockRandom::Next() {
  // mt19937 gives 32 uniform bits; the top 31 are uniform over 0 to 2^31 - 1.
  return static_cast<std::int32_t>(Generator() >> 1);
}
