#include "platform/random_source.h"

#include <chrono>

namespace tessaloom {

void ClockSeededRandom::seedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    engine_.seed(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

float ClockSeededRandom::next()
{
    // 24 random bits make every float in [0, 1) with a step of 2^-24 equally likely and can
    // never round up to 1, which a float uniform_real_distribution may do.
    return static_cast<float>(engine_() >> 40) * 0x1p-24f;
}

} // namespace tessaloom
