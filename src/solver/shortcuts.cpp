#include "solver/shortcuts.h"

#include "solver/between.h"

#include <algorithm>

namespace vantirelle {

namespace {

// Stretches of 40 moves, searched 10 moves apart, chosen on the published 7 x 7 boards:
// shorter stretches rarely hold a detour the beam could not see.
constexpr std::size_t Stretch = 40;
constexpr std::size_t Step = 10;
constexpr std::uint64_t StretchNodeLimit = 300'000;

// The beams' stretches, measured on random 8 x 8 boards (times the Manhattan distance). From
// 40% of the way, against 1.447 and 1.460 for these on two seeds of 30: 160 moves 40 apart,
// 1.450 and 1.460; 120 moves 30 apart, 1.442 and 1.462 for a third more positions; beams from
// a stretch's end back to its start, 1.451 and 1.461; half as wide ones both ways, 1.449 and
// 1.462. Over the whole solution, against 1.446 on the first seed: 200 moves 100 apart, 1.457;
// 60 moves 30 apart, 1.453 for a seventh of the positions.
constexpr std::size_t BeamStretch = 120;
constexpr std::size_t BeamStep = 40;

std::vector<std::uint8_t> cellsOf(const Puzzle& p)
{
    return std::vector<std::uint8_t>(p.tiles.begin(), p.tiles.end());
}

} // namespace

std::vector<std::int16_t> withShortcuts(const Puzzle& start, std::vector<std::int16_t> moves, std::uint64_t nodeBudget,
                                        const std::atomic<bool>* cancel, std::chrono::steady_clock::time_point deadline,
                                        std::size_t firstMove)
{
    if (start.width < 2 || start.height < 2 || start.width > 16 || start.height > 16)
        return moves;
    std::uint64_t spent = 0;
    for (std::size_t at = firstMove / Step * Step; at + Step < moves.size() && spent < nodeBudget; at += Step) {
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        const std::size_t end = std::min(moves.size(), at + Stretch);
        Puzzle from = start;
        for (std::size_t i = 0; i < at; ++i)
            from.move(moves[i]);
        Puzzle to = from;
        for (std::size_t i = at; i < end; ++i)
            to.move(moves[i]);
        const std::uint64_t limit = std::min(StretchNodeLimit, nodeBudget - spent);
        std::uint64_t searched = 0;
        const std::optional<std::vector<int>> blanks =
            shortestWayBetween(start.width, start.height, cellsOf(from), cellsOf(to), limit, end - at, cancel, &searched,
                               deadline);
        spent += std::max<std::uint64_t>(searched, 1);
        if (!blanks)
            continue;
        std::vector<std::int16_t> shortcut;
        for (const int place : *blanks) {
            const std::int16_t tile = from.tiles[static_cast<std::size_t>(place)];
            shortcut.push_back(tile);
            from.move(tile);
        }
        moves.erase(moves.begin() + static_cast<std::ptrdiff_t>(at), moves.begin() + static_cast<std::ptrdiff_t>(end));
        moves.insert(moves.begin() + static_cast<std::ptrdiff_t>(at), shortcut.begin(), shortcut.end());
    }
    return moves;
}

std::vector<std::int16_t> withBeamShortcuts(const Puzzle& start, std::vector<std::int16_t> moves, BeamOptions options,
                                            const std::vector<std::size_t>& firstMoves, std::size_t* spent)
{
    const std::size_t limit = options.positionLimit;
    const std::function<void(std::size_t)> progress = std::move(options.progress);
    std::size_t ranked = 0;
    for (const std::size_t firstMove : firstMoves) {
        Puzzle from = start;
        std::size_t made = 0; // the moves `from` has had
        for (std::size_t at = firstMove; at + BeamStep < moves.size(); at += BeamStep) {
            if ((limit && ranked >= limit) || std::chrono::steady_clock::now() >= options.deadline)
                break;
            for (; made < at; ++made)
                from.move(moves[made]);
            const std::size_t end = std::min(moves.size(), at + BeamStretch);
            Puzzle to = from;
            for (std::size_t i = at; i < end; ++i)
                to.move(moves[i]);
            options.target.assign(to.tiles.begin(), to.tiles.end());
            options.shorterThan = end - at;
            options.positionLimit = limit ? limit - ranked : 0;
            if (progress)
                options.progress = [&progress, ranked](std::size_t positions) { progress(ranked + positions); };
            BeamStats stats;
            const std::optional<std::vector<std::int16_t>> shortcut = beamSearch(from, options, &stats);
            ranked += stats.positions;
            if (!shortcut)
                continue;
            const auto stretch = moves.begin() + static_cast<std::ptrdiff_t>(at);
            moves.insert(moves.erase(stretch, stretch + static_cast<std::ptrdiff_t>(end - at)), shortcut->begin(),
                         shortcut->end());
        }
    }
    if (spent)
        *spent = ranked;
    return moves;
}

std::vector<std::int16_t> withTailFromGoal(const Puzzle& start, std::vector<std::int16_t> moves, BeamOptions options,
                                           std::size_t firstMove, std::size_t* spent)
{
    if (spent)
        *spent = 0;
    if (firstMove >= moves.size())
        return moves;
    Puzzle there = start;
    for (std::size_t made = 0; made < firstMove; ++made)
        there.move(moves[made]);
    options.target.assign(there.tiles.begin(), there.tiles.end());
    options.shorterThan = moves.size() - firstMove;
    BeamStats stats;
    std::optional<std::vector<std::int16_t>> back = beamSearch(Puzzle::goal(start.width, start.height), options, &stats);
    if (spent)
        *spent = stats.positions;
    if (back) {
        // Each tile slid back in turn undoes the way from the goal.
        moves.resize(firstMove);
        moves.insert(moves.end(), back->rbegin(), back->rend());
    }
    return moves;
}

} // namespace vantirelle
