#pragma once

#include "board/random.h"

#include <deque>

namespace vantirelle::testing {

// Draws from a script first, then from a fixed sequence per seed and reseed, so every
// shuffle in a test is the same on every run.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(unsigned long long seed = 1) : m_seed(seed) {}

    std::deque<float> script;
    int reseeds = 0;
    int draws = 0;

    void reseed() override
    {
        ++reseeds;
        m_state = m_seed * 0x9E3779B97F4A7C15ULL + static_cast<unsigned long long>(reseeds);
    }

    float next() override
    {
        ++draws;
        if (!script.empty()) {
            const float r = script.front();
            script.pop_front();
            return r;
        }
        // splitmix64
        unsigned long long z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
    }

private:
    unsigned long long m_seed;
    unsigned long long m_state = 0;
};

} // namespace vantirelle::testing
