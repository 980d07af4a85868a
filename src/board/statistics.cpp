#include "board/statistics.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace vantirelle {

std::optional<double> averageOfLast(const std::vector<double>& times, std::size_t count)
{
    if (count < 3 || times.size() < count)
        return std::nullopt;
    std::vector<double> last(times.end() - static_cast<std::ptrdiff_t>(count), times.end());
    std::sort(last.begin(), last.end());
    return std::accumulate(last.begin() + 1, last.end() - 1, 0.0) / static_cast<double>(count - 2);
}

void SessionStatistics::newGame(int width, int height, int moves, bool assisted)
{
    m_current = Current{};
    m_current.width = width;
    m_current.height = height;
    m_current.assisted = assisted;
    m_movesAtStart = moves;
}

void SessionStatistics::moved(std::int64_t now, int moves)
{
    if (m_current.finished)
        return;
    if (!m_current.started) {
        m_current.started = true;
        m_startedAt = now;
    }
    m_current.moves = moves - m_movesAtStart;
}

std::optional<FinishedGame> SessionStatistics::won(std::int64_t now, int moves)
{
    if (m_current.finished || !m_current.started)
        return std::nullopt;
    moved(now, moves);
    m_current.finished = true;
    m_finishedAt = now;
    const Current game = current(now);
    m_finished.push_back(FinishedGame{game.width, game.height, game.moves, game.seconds, game.assisted});
    return m_finished.back();
}

SessionStatistics::Current SessionStatistics::current(std::int64_t now) const
{
    Current game = m_current;
    if (game.started)
        game.seconds = static_cast<double>((game.finished ? m_finishedAt : now) - m_startedAt) / 1000.0;
    return game;
}

std::vector<SessionStatistics::BySize> SessionStatistics::bySize() const
{
    std::vector<BySize> sizes;
    std::vector<std::vector<double>> times;
    for (const FinishedGame& game : m_finished) {
        auto found = std::find_if(sizes.begin(), sizes.end(),
                                  [&](const BySize& s) { return s.width == game.width && s.height == game.height; });
        if (found == sizes.end()) {
            sizes.push_back(BySize{game.width, game.height, 0, {}, {}, {}, {}});
            times.emplace_back();
            found = sizes.end() - 1;
        }
        if (game.assisted)
            continue;
        BySize& size = *found;
        ++size.unassisted;
        size.bestSeconds = std::min(size.bestSeconds.value_or(game.seconds), game.seconds);
        size.fewestMoves = std::min(size.fewestMoves.value_or(game.moves), game.moves);
        times[static_cast<std::size_t>(found - sizes.begin())].push_back(game.seconds);
    }
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        sizes[i].averageOf5 = averageOfLast(times[i], 5);
        sizes[i].averageOf12 = averageOfLast(times[i], 12);
    }
    return sizes;
}

namespace {

// Decimals with a full stop whatever the desktop's language, as CSV readers expect.
std::string fixed(double value, int decimals)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

} // namespace

std::string SessionStatistics::csv() const
{
    std::string out = "size,moves,seconds,tiles_per_second,assisted\n";
    for (const FinishedGame& game : m_finished) {
        out += std::to_string(game.width) + "x" + std::to_string(game.height) + "," + std::to_string(game.moves) + ","
               + fixed(game.seconds, 3) + "," + fixed(game.tilesPerSecond(), 2) + "," + (game.assisted ? "yes" : "no")
               + "\n";
    }
    return out;
}

} // namespace vantirelle
