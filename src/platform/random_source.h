#pragma once

#include <cstdint>
#include <random>

namespace tessaloom {

// The program's one pseudo-random sequence of uniform single-precision numbers in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;

    virtual void seedFromClock() = 0;
    virtual float next() = 0;
};

class ClockSeededRandom final : public RandomSource {
public:
    void seedFromClock() override;
    float next() override;

    // For the tests of the generator itself; the game seeds only from the clock.
    void seed(std::uint64_t value) { engine_.seed(value); }

private:
    std::mt19937_64 engine_;
};

} // namespace tessaloom
