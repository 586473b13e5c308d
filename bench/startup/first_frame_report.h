#pragma once

#include <chrono>
#include <cstdio>

// Tells the start-up benchmark when the first frame was painted: the monotonic clock in
// nanoseconds on stdout, comparable with the benchmark's own reading of the same clock.
inline void reportFirstFrame()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("%lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
}
