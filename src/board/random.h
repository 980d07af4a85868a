#pragma once

#include <cstdint>
#include <random>

namespace vantirelle {

// What the shuffle needs of a random generator: a fresh time-dependent seed,
// then uniform single-precision draws in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    virtual float next() = 0;
};

// Seeded from the time of day in nanoseconds since local midnight. Seconds held
// in single precision would repeat for milliseconds late in the day, so two boards
// built close together would shuffle alike; the full clock resolution avoids that.
class TimeSeededRandom final : public RandomSource {
public:
    void reseed() override;
    float next() override;

    static std::uint64_t nanosecondsSinceMidnight();

private:
    std::mt19937 m_engine;
};

} // namespace vantirelle
