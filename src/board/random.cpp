#include "board/random.h"

#include <chrono>
#include <ctime>

namespace vantirelle {

std::uint64_t TimeSeededRandom::nanosecondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    // Only the game's own thread deals boards, so the shared result of localtime is safe here.
    const std::tm local = *std::localtime(&seconds);
    const auto wholeSeconds = static_cast<std::uint64_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
    const auto fraction = duration_cast<nanoseconds>(now - system_clock::from_time_t(seconds)).count();
    return wholeSeconds * 1'000'000'000ULL + static_cast<std::uint64_t>(fraction < 0 ? 0 : fraction);
}

void TimeSeededRandom::reseed()
{
    const std::uint64_t t = nanosecondsSinceMidnight();
    std::seed_seq seed{static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(t >> 32)};
    m_engine.seed(seed);
}

float TimeSeededRandom::next()
{
    // 24 random bits make every float in [0, 1) of that spacing equally likely and never 1.0.
    return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
}

} // namespace vantirelle
