#pragma once

#include <cstdint>
#include <random>

// The shared random source: a uniform integer in [0, n).
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual int Random(int n) = 0;
    // Seed anew from the clock.
    virtual void Reseed() = 0;
};

class ClockRandom final : public RandomSource {
  public:
    ClockRandom();
    int Random(int n) override;
    void Reseed() override;

  private:
    std::mt19937 engine_;
};
