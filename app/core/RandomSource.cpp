#include "app/core/RandomSource.h"

#include <chrono>

ClockRandom::ClockRandom()
{
    Reseed();
}

int ClockRandom::Random(int n)
{
    if (n <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

void ClockRandom::Reseed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}
