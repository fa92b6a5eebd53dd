// The pseudo-random source that draws the next question of a shuffled run.
#pragma once

#include <cstdint>
#include <random>

class TRandomSource {
public:
  virtual ~TRandomSource() = default;
  // A value in 0 to 2^31 - 1.
  virtual std::int32_t Next() = 0;
};

// Seeded once from the clock when created and never again, so every run of
// the program asks in a different order.
class TClockRandom final : public TRandomSource {
public:
  TClockRandom();
  std::int32_t Next() override;

private:
  std::mt19937 Generator;
};
