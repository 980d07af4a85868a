#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantirelle {

// One won game of the session.
struct FinishedGame {
    int width = 0;
    int height = 0;
    int moves = 0;        // made in this game, from its first move to the win
    double seconds = 0;   // from the first move to the win
    bool assisted = false; // Hint, Solve or Undo used, or the board opened or pasted rather than dealt
    double tilesPerSecond() const { return seconds > 0 ? moves / seconds : 0; }
};

// The average of `count` as speedsolvers reckon it, over the last `count` times: the best
// and the worst left out, the mean of the rest (ao5: the middle three of the last five;
// ao12: the middle ten of the last twelve). Nothing until there are that many times.
std::optional<double> averageOfLast(const std::vector<double>& times, std::size_t count);

// What the player did this session: the game in play, timed from its first move to its
// win, and every game won. Nothing is kept once the program ends but what the player saves.
// Times are milliseconds on a clock that only goes forward, given by the caller.
class SessionStatistics {
public:
    // A new game: dealt, or opened or pasted (assisted from the start).
    void newGame(int width, int height, int moves, bool assisted);
    // A move (or a line of them) was made; the count is the board's after it.
    void moved(std::int64_t now, int moves);
    // Help or an undo: the game is no longer the player's own.
    void assist() { m_current.assisted = true; }
    // The board came into order: the first time in a game, its row, which is kept.
    std::optional<FinishedGame> won(std::int64_t now, int moves);

    struct Current {
        int width = 0;
        int height = 0;
        int moves = 0;
        double seconds = 0;
        bool started = false;  // the clock runs from the first move
        bool finished = false; // and stops at the win
        bool assisted = false;
        double tilesPerSecond() const { return seconds > 0 ? moves / seconds : 0; }
    };
    Current current(std::int64_t now) const;

    const std::vector<FinishedGame>& finished() const { return m_finished; }

    // For each size won, in the order first won: the best time and fewest moves of the
    // unassisted wins, and their ao5 and ao12.
    struct BySize {
        int width = 0;
        int height = 0;
        int unassisted = 0;
        std::optional<double> bestSeconds;
        std::optional<int> fewestMoves;
        std::optional<double> averageOf5;
        std::optional<double> averageOf12;
    };
    std::vector<BySize> bySize() const;

    // The rows as CSV: "size,moves,seconds,tiles_per_second,assisted", then one line a win
    // ("4x4,52,31.250,1.66,no").
    std::string csv() const;

private:
    Current m_current;
    int m_movesAtStart = 0;
    std::int64_t m_startedAt = 0;
    std::int64_t m_finishedAt = 0;
    std::vector<FinishedGame> m_finished;
};

} // namespace vantirelle
