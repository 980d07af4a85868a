#include "solver/nearshortest.h"

#include "solver/beam.h"
#include "solver/constructive.h"
#include "solver/knots.h"
#include "solver/shortcuts.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace vantirelle {

namespace {

constexpr std::size_t ProbeWidth = 512;
constexpr std::size_t WidestBeam = std::size_t{1} << 20;
constexpr std::size_t BeamMemory = std::size_t{160} << 20;
constexpr std::size_t ShortcutNodes = 2'000'000; // at the least

// A beam's solution. Where the beam circled a knot near the goal, the shortest way to the
// position it came closest at with the knots undone from there; or, where they cannot be
// undone within the search allowed, a beam with its ties broken another way from a third of
// the way back, before the knot was tied; and last, the way to one of the closest positions
// with construction from there.
std::optional<std::vector<std::int16_t>> beamOrMended(const Puzzle& puzzle, const BeamOptions& options,
                                                      BeamStats& stats, int retries)
{
    std::optional<std::vector<std::int16_t>> moves = beamSearch(puzzle, options, &stats);
    std::size_t total = stats.positions; // over every beam tried
    BeamOptions retry = options;
    for (int attempt = 0; !moves && stats.stalled; ++attempt) {
        // The best position only: the others, from the last depths, lie 80 to 100 moves
        // further along on 10 x 10 boards, and trying them too only took time (12 random
        // 10 x 10 boards under the command line's deadline: 1.672 times the Manhattan distance
        // either way, at a mean of 1.26 s against 1.14 s).
        Puzzle best = puzzle;
        for (const std::int16_t tile : stats.nearest.front())
            best.move(tile);
        if (std::optional<std::vector<std::int16_t>> rest = undoKnots(best, options.cancel, options.deadline)) {
            moves = stats.nearest.front();
            moves->insert(moves->end(), rest->begin(), rest->end());
        }
        if (moves || attempt == retries)
            break;
        const std::vector<std::int16_t>& closest = stats.nearest.front();
        const std::vector<std::int16_t> prefix(closest.begin(),
                                               closest.begin() + static_cast<std::ptrdiff_t>(2 * closest.size() / 3));
        if ((options.positionLimit && total >= options.positionLimit)
            || (options.shorterThan && prefix.size() + 1 >= options.shorterThan))
            break;
        Puzzle from = puzzle;
        for (const std::int16_t tile : prefix)
            from.move(tile);
        retry.positionLimit = options.positionLimit ? options.positionLimit - total : 0;
        retry.shorterThan = options.shorterThan ? options.shorterThan - prefix.size() : 0;
        retry.seed = retry.seed * 6364136223846793005u + 1442695040888963407u;
        // The progress goes on from the positions ranked so far, not from 0 again.
        if (options.progress)
            retry.progress = [&options, total](std::size_t positions) { options.progress(total + positions); };
        stats = BeamStats{};
        moves = beamSearch(from, retry, &stats);
        total += stats.positions;
        if (moves)
            moves->insert(moves->begin(), prefix.begin(), prefix.end());
        for (std::vector<std::int16_t>& near : stats.nearest)
            near.insert(near.begin(), prefix.begin(), prefix.end());
    }
    // Knots none of that undid: from a close position, construction finishes what is left,
    // most of it in place already, in far fewer moves than it takes from the start. Of the
    // closest positions, the one it finishes from in the fewest moves in all: on 10 random
    // 10 x 10 boards searched without a deadline, 1.886 to 1.859 times the Manhattan distance
    // against the closest alone (the benchmark's 20, under the deadline, did not change).
    if (!moves && stats.stalled) {
        for (const std::vector<std::int16_t>& near : stats.nearest) {
            Puzzle closest = puzzle;
            for (const std::int16_t tile : near)
                closest.move(tile);
            std::vector<std::int16_t> finished = near;
            ConstructiveSolver finish(closest);
            while (const std::optional<std::int16_t> tile = finish.next())
                finished.push_back(*tile);
            if (!moves || finished.size() < moves->size())
                moves = std::move(finished);
        }
    }
    stats.positions = total;
    if (moves && options.shorterThan && moves->size() >= options.shorterThan)
        return std::nullopt;
    return moves;
}

} // namespace

namespace {

// On boards of more than 64 places, at most 14 long, the beams count knots (blocks of two by two
// places that hold their own tiles turned round) at 86 tenths of the spread each, about five moves
// of the Manhattan distance, so that they tie fewer of them. Counting them makes a position cost
// about a fifth more, so those boards get 5/6 of the positions: 12 random boards took 13.8 s on
// 9 x 9 and 14.1 s on 12 x 8, against 13.2 and 15.2 s with no knots and all the positions. (Before
// a block's test stopped at its first corner that settles it, they cost a third more and got
// 10/13: against that, 5/6 took 2 seeds of 12 boards from 1.491 and 1.481 to 1.483 and 1.460 on
// 9 x 9, 1.548 and 1.560 to 1.532 and 1.554 on 10 x 10, 1.581 and 1.512 to 1.566 and 1.544 on
// 12 x 8, 1.617 and 1.704 to 1.623 and 1.612 on 14 x 7.) Measured with 10/13 on 16 random boards of
// each shape (times the Manhattan distance, against not counting them in the same time): 9 x 9
// 1.544 to 1.488, 10 x 10 1.586 to 1.537, 12 x 8 1.610 to 1.562, 14 x 7 1.666 to 1.638. At 43
// tenths: 1.502, 1.554, 1.576, 1.635; at 172: 1.515, 1.529, 1.610, 1.649. Two neighbours swapped on
// each other's places, counted as well, lost (9 x 9 1.505, 14 x 7 1.707). On smaller boards the
// positions they cost outweighed what they gained: in the same time, 8 x 8 1.442 to 1.443 on 25
// boards, 7 x 6 1.421 to 1.432 on 15. Boards 15 or 16 long mostly lost, some boards by far (8 to 10
// boards each: 16 x 5 1.703 to 1.900, two of the ten coming to 2.6 and 3.0 times, and 1.887 to
// 2.184; 5 x 15 1.669 to 1.756; 16 x 6 1.821 to 1.856; but 6 x 15 1.709 to 1.674), where 14 x 5
// gained (1.666 to 1.627) and 11 x 9 (1.606 to 1.562); 70 to 77 places went both ways (10 x 7 1.444
// to 1.474 and 1.505 to 1.483, 7 x 10 1.485 to 1.505, 11 x 7 1.547 to 1.512).
int knotTenthsFor(int width, int height)
{
    return width * height > 64 && std::max(width, height) <= 14 ? 86 : 0;
}

// On boards of 50 places or more, at most 12 long, the beams count each pair of tiles out of
// order, read by rows and by columns, at 2 tenths of the spread, so that a tile is not sent
// past others on their way the other way. A position then costs 7% (9 x 9) to 12% (8 x 8) more,
// so those boards get 11/12 of the positions. Measured on random boards (times the Manhattan
// distance, without to with), those 11/12 taking the same time (median 0.76 to 0.88 s a board
// either way): 8 x 8 1.455 to 1.439 on 80 boards, 9 x 8 1.461 to 1.452 on 60, 9 x 9 1.483 to
// 1.469 on 80, 10 x 9 1.504 to 1.497 on 60, 11 x 9 1.560 to 1.540 on 40, 8 x 7 1.433 to 1.431
// on 60, 10 x 5 1.468 to 1.464 on 60, 12 x 8 1.560 to 1.557 on 60, 12 x 5 1.536 to 1.532 on 40,
// but 10 x 10 1.551 to 1.553 on 60. In the same positions, without a deadline, 1 and 4 tenths
// did as well as 2 on 9 x 9 (1.472 and 1.471 on 120 boards, against 1.475 with 2 and 1.486
// without). Longer boards lost (14 x 7 1.568 to 1.628 on 24; 1 tenth down and 1 or 3 across,
// 1.604 and 1.591), and on narrow ones it made no difference (3 x 11, 4 to 40 tenths: 1.586 to
// 1.597 against 1.592; 2 x 9 1.834 against 1.839). On the published boards, every fifth, with
// 11/12 of the positions, it made none either (times their optimal or DeepCubeA's lengths: 5 x 5
// 1.016 to 1.016, 6 x 6 1.042 to 1.043, 7 x 7 1.087 to 1.083).
int orderTenthsFor(int width, int height)
{
    return width * height >= 50 && std::max(width, height) <= 12 ? 2 : 0;
}

std::size_t defaultPositions(int width, int height)
{
    // Measured on one core of a shared 2-core machine: 18 million positions take about a
    // second up to 6 x 6. Boards of 37 to 64 places, whose solutions are longest against
    // the best known, get a quarter more (on the published 7 x 7 boards, every fifth: 1.100
    // to 1.098 times DeepCubeA's lengths, 0.87 to 1.09 s median); a position of a larger
    // board costs more, so it gets fewer.
    constexpr std::size_t Positions = 18'000'000;
    const auto places = static_cast<std::size_t>(width * height);
    constexpr std::size_t Larger = Positions * 5 / 4;
    // Boards more than 12 long one way take longer for the same work: `vantirelle-solve` on 7
    // random boards of each shape took a median of 74 to 107 ms for each million positions on
    // boards 16 long (2 x 16, 16 x 3, 4 x 16, 16 x 5, 16 x 6 ...) and 104 ms on 14 x 7, against
    // 58 to 65 ms on 6 x 6, 9 x 4, 12 x 4, 8 x 8 and 7 x 10: medians of 1.5 to 2.0 s in all. So
    // they get no quarter more, and 6% fewer for each place beyond 12, down to 76% on boards
    // 16 long.
    const int longest = std::max(width, height);
    std::size_t positions = places <= 36 || longest > 12 ? Positions : Larger;
    if (places > 64)
        positions = std::min(positions, Larger * 64 / places);
    if (knotTenthsFor(width, height) != 0)
        positions = positions * 5 / 6;
    if (orderTenthsFor(width, height) != 0)
        positions = positions * 11 / 12;
    if (longest > 12)
        positions = positions * static_cast<std::size_t>(50 - 3 * (longest - 12)) / 50;
    return positions;
}

// The percentage shown while a search runs, over stages that each take it up to a given
// point at the end of their budget; it never goes back.
class Progress {
public:
    explicit Progress(std::function<void(int)> report)
        : m_report(std::move(report))
    {
    }
    int percent() const { return m_shown; }
    // A stage from the percentage shown now to `to` once it has ranked `limit` positions.
    std::function<void(std::size_t)> stage(std::size_t limit, int to)
    {
        const int from = m_shown;
        limit = std::max<std::size_t>(limit, 1);
        return [this, from, to, limit](std::size_t positions) {
            const int percent =
                from + static_cast<int>(static_cast<std::size_t>(to - from) * std::min(positions, limit) / limit);
            if (percent <= m_shown)
                return;
            m_shown = percent;
            if (m_report)
                m_report(percent);
        };
    }

private:
    std::function<void(int)> m_report;
    int m_shown = 0;
};

int manhattanDistance(const Puzzle& puzzle)
{
    int distance = 0;
    for (int place = 0; place < puzzle.places(); ++place) {
        const int tile = puzzle.tiles[static_cast<std::size_t>(place)];
        if (tile != 0)
            distance += std::abs((tile - 1) / puzzle.width - place / puzzle.width)
                        + std::abs((tile - 1) % puzzle.width - place % puzzle.width);
    }
    return distance;
}

// The moves a solution takes after the tiles first come within NearlyHome of their places
// (in Manhattan distance). On random 8 x 8 boards most take 10 to 34; a knot tied there
// takes 60 to 120. On one such board, IDA* from positions of that stretch found nothing
// shorter in 20 million nodes each: the knot's tiles lie far apart.
constexpr int NearlyHome = 10;
constexpr std::size_t LongestEnd = 24;
// Boards of 50 to 64 places. On larger ones the second beam runs on most boards, past the
// time allowed: 10 x 10 went from 1.633 to 1.576 times the Manhattan distance, but at a
// median of 1.70 s against 1.37 s; 9 x 9 from 1.556 to 1.549 at 1.74 s against 1.34 s.
bool knotsChecked(int places)
{
    return places >= 50 && places <= 64;
}

std::size_t movesAfterNearlyHome(const Puzzle& start, const std::vector<std::int16_t>& moves)
{
    Puzzle puzzle = start;
    for (std::size_t made = 0; made < moves.size(); ++made) {
        if (manhattanDistance(puzzle) <= NearlyHome)
            return moves.size() - made;
        puzzle.move(moves[made]);
    }
    return 0;
}

// How the beams count the spread, measured on random boards of each size under the budget
// above (times the Manhattan distance; 2 to 8 seeds of 12 to 30 boards):
// - Up to 49 places no more than two longer one way than the other, the squares: the squares
//   across and down make the published 6 x 6 boards 1.046 to 1.054 times DeepCubeA's lengths
//   (over the 1.05 aimed at) and leave the 7 x 7 ones at 1.099 to 1.100.
// - The squares across and down, on boards of 50 to 90 places no more than two longer one
//   way than the other, against the squares (or the squares less one a tile out of place,
//   used up to 64 places before): 8 x 8 1.506 to 1.474, 8 x 7 1.466 to 1.449, 9 x 7 1.487 to
//   1.465, 9 x 8 1.553 to 1.526, 9 x 9 1.597 to 1.548, 10 x 8 1.633 to 1.603, 10 x 9 1.630
//   to 1.578. On other shapes they lengthen the solutions: 10 x 5 1.515 to 1.578, 10 x 6
//   1.521 to 1.572, 12 x 8 1.912 to 2.137, 11 x 9 1.711 to 1.763, 10 x 10 1.686 to 1.704.
// - across^2 + across * down + down^2 everywhere else from 50 places, against the same:
//   10 x 10 1.676 to 1.613, 14 x 7 1.834 to 1.783, 16 x 4 1.914 to 1.819, 12 x 8 1.701 to
//   1.666, 9 x 6 1.474 to 1.453, 10 x 6 1.512 to 1.501, 10 x 5 1.500 to 1.493, 11 x 5 1.559 to
//   1.555, 11 x 9 1.636 to 1.640 (on 8 x 8, 1.479 against the squares across and down's
//   1.461).
// - The same on boards up to 49 places more than two longer one way than the other, against
//   the squares (24 boards a shape and seed): 3 wide or high, 3 x 11 1.622 to 1.601 and 1.590
//   to 1.591, 11 x 3 1.646 to 1.631 and 1.594 to 1.591, 10 x 3 1.583 to 1.552, 3 x 12 1.679
//   to 1.670, 12 x 3 1.632 to 1.621, 3 x 13 1.676 to 1.666, 13 x 3 1.678 to 1.630, 3 x 16 1.870
//   to 1.837, 16 x 3 1.869 to 1.788, but 3 x 7 1.509 to 1.515 and 7 x 3 1.479 to 1.486; 4 and
//   5 wide or high, 4 x 9 1.502 to 1.482 and 1.472 to 1.467, 9 x 4 1.467 to 1.453 and 1.464 to
//   1.447, 4 x 12 1.590 to 1.574, 12 x 4 1.560 to 1.548, 5 x 9 1.456 to 1.441, 9 x 5 1.444 to
//   1.423, 5 x 8 1.435 to 1.425, 4 x 7 1.435 to 1.438; 2 wide or high, by chance either way
//   on the longest, 2 x 12 1.897 to 1.867 and 1.906 to 1.914, 12 x 2 1.888 to 1.875 and 1.870
//   to 1.863, 2 x 16 2.140 to 2.079, 2.128 to 2.155 and 2.161 to 2.127, 16 x 2 2.102 to 2.020,
//   2.063 to 2.152 and 2.148 to 2.050, 2 x 9 1.852 to 1.852 and 1.837 to 1.833.
Spread spreadFor(int width, int height)
{
    const int places = width * height;
    const bool squarish = std::abs(width - height) <= 2;
    if (squarish && places <= 49)
        return Spread::Squares;
    if (squarish && places <= 90)
        return Spread::AxisSquares;
    return Spread::SquaresAndProduct;
}

// On boards of 80 to 90 places no more than two longer one way than the other, a tile put a
// place off its own counts 1.5 less in the spread (in tenths, -15 against the 10 of its
// square), so that the beams bring in tiles from far off before they put the last ones home;
// they then tie fewer knots near the end of the way, and take a little less time. Measured on
// random boards without a deadline (times the Manhattan distance, against the spread alone;
// seeds of 12 to 30 boards):
// - 9 x 9: 1.483 to 1.464, 1.553 to 1.516, 1.527 to 1.500; 10 x 9: 1.549 to 1.544. On the
//   first seed of 9 x 9, -10 gave 1.485 and -20 1.520.
// - On 8 x 8 it lost (1.425 to 1.441), and on 9 x 8 (1.463 to 1.486).
// - Where the spread counts the product too, the seeds went both ways: 10 x 10 1.615 to
//   1.610, 1.601 to 1.567, 1.569 to 1.612; 12 x 8 1.605 to 1.576, 1.575 to 1.594, 1.590 to
//   1.575, 1.620 to 1.604; 14 x 7 1.686 to 1.630, 1.682 to 1.667, 1.653 to 1.764, 1.671 to
//   1.661.
int awayTenthsFor(int width, int height)
{
    const int places = width * height;
    return places >= 80 && spreadFor(width, height) == Spread::AxisSquares ? -15 : 0;
}

// How the stages share the work, in twentieths (measured as told in solveNearShortest). On
// boards of more than 64 places the wide beam leaves room for a beam from the goal back to the
// solution's position two fifths of the way, which runs on every board there; elsewhere one
// back to the board runs only where a knot was tied.
struct Shares {
    bool backOnEveryBoard;
    std::size_t wide;      // of the positions the narrow beam left
    std::size_t backWidth; // of the wide beam's width
    std::size_t back;      // of the budget
    std::size_t backFrom;  // of the solution's moves, where the beam from the goal aims
    std::size_t along;     // of the budget, for the beams along the stretches
    static constexpr std::size_t Whole = 20;
};

Shares sharesFor(int places)
{
    if (places > 64)
        return Shares{true, 14, 14, 12, 8, 5};
    return Shares{false, 17, 10, 10, 0, 8};
}

} // namespace

std::optional<std::vector<std::int16_t>> solveNearShortest(const Puzzle& puzzle, const SearchBudget& given)
{
    SearchBudget budget = given;
    if (budget.positions == 0)
        budget.positions = defaultPositions(puzzle.width, puzzle.height);
    BeamOptions options;
    options.deadline = budget.deadline;
    options.cancel = budget.cancel;
    options.memoryBytes = BeamMemory;
    options.spread = spreadFor(puzzle.width, puzzle.height);
    options.awayTenths = awayTenthsFor(puzzle.width, puzzle.height);
    options.knotTenths = knotTenthsFor(puzzle.width, puzzle.height);
    options.orderTenths = orderTenthsFor(puzzle.width, puzzle.height);
    // A beam whose best position has not improved for a few crossings of the board is
    // circling a knot; a wider one may not meet it.
    options.stallDepths = static_cast<std::size_t>(3 * (puzzle.width + puzzle.height) + 30);
    const Shares shares = sharesFor(puzzle.places());
    const std::size_t backPositions = shares.back * budget.positions / Shares::Whole;
    const std::size_t alongPositions = shares.along * budget.positions / Shares::Whole;
    // The progress shown goes through the stages in turn: the beams from the board over their
    // budget, the search from the goal where it runs, then the beams along the stretches.
    Progress shown(budget.progress);
    std::size_t spent = 0;
    const std::size_t shownPositions = budget.positions + (shares.backOnEveryBoard ? backPositions : 0) + alongPositions;
    const auto fromBoard = shown.stage(budget.positions, static_cast<int>(100 * budget.positions / shownPositions));
    options.progress = [&spent, &fromBoard](std::size_t positions) { fromBoard(spent + positions); };

    // The narrow beam tells what a position costs here and how long the solution runs.
    options.width = ProbeWidth;
    options.positionLimit = budget.positions;
    BeamStats probe;
    std::optional<std::vector<std::int16_t>> best = beamOrMended(puzzle, options, probe, 0);
    spent = probe.positions;

    // The widest beam the rest of the budget and the memory allow: its positions grow with
    // its width and its depth, and its depth is at most the narrow beam's. Some room is left:
    // a wider beam sometimes needs more moves than the narrow one, and what is left over
    // goes to shortcuts. A narrow beam that stalled tells only how far it got: construction
    // may have finished it in several times the moves a beam takes, so the depth is taken as
    // at most twice the Manhattan distance (a 5,000-wide beam on random 14 x 7 boards: 1.66
    // to 1.91 times it).
    std::size_t depth = best ? best->size() : probe.depth;
    if (probe.stalled)
        depth = std::min(depth, std::max(probe.depth, static_cast<std::size_t>(2 * manhattanDistance(puzzle))));
    const double perWidth = static_cast<double>(probe.positions) / static_cast<double>(ProbeWidth)
                            * static_cast<double>(depth) / static_cast<double>(std::max<std::size_t>(probe.depth, 1));
    const double left = spent < budget.positions ? static_cast<double>(budget.positions - spent) : 0.0;
    const double wideShare = static_cast<double>(shares.wide) / static_cast<double>(Shares::Whole);
    const std::size_t width = std::min({static_cast<std::size_t>(wideShare * left / perWidth), WidestBeam,
                                        BeamMemory / (4 * std::max<std::size_t>(depth, 1) + 2 * puzzle.places())});
    const auto mainStarted = std::chrono::steady_clock::now();
    if (width >= 2 * ProbeWidth) {
        options.width = width;
        options.positionLimit = budget.positions - spent;
        options.shorterThan = best ? best->size() : 0;
        BeamStats main;
        if (std::optional<std::vector<std::int16_t>> wide = beamOrMended(puzzle, options, main, 3))
            best = std::move(wide);
        spent += main.positions;
    }

    // A solution whose last few tiles took many moves has a knot the beam could only undo the
    // long way round. A beam from the goal back to the board ties its knots in other places,
    // so on such boards half as wide a beam is run that way too, with half the budget again,
    // and the shorter kept. On 4 seeds of 30 random 8 x 8 boards it ran on 23% of them and took
    // the solutions from 1.469 to 1.457 times the Manhattan distance. Running it only past 40
    // moves, 1.460, and a forward beam half as wide in its place there, 1.463; running both
    // ways on every board, each half as wide, 1.468. The beams' lengths scatter by 20 moves
    // and more either way with small changes of width, so it is the boards with a knot that
    // gain.
    // On boards of more than 64 places the wide beam takes ever more moves for each step closer
    // as it nears the goal (on 9 x 9, 1.3 moves a step over the first half of the way, 1.8 and
    // 2.4 over the last two tenths), so on every board a beam 7/10 as wide goes from the goal back to
    // the position two fifths of the way, and its way is kept where shorter: it takes its
    // extra moves near that position instead. To make room, the wide beam gets 0.7 of what is
    // left (not 0.85) and the stretches a quarter of the budget (not two fifths). On 30 random
    // 9 x 9 boards without a deadline (times the Manhattan distance) that took the solutions
    // from 1.525 to 1.483, and on 24 random 10 x 10 boards from 1.579 to 1.567, each in a tenth
    // less time. With the wide beam at 0.6: 1.521 and 1.600; at 0.6 with the beam from the goal
    // as wide as it, 1.503 and 1.581. From 30% or 45% of the way, 10 x 10 lost on 10 boards
    // (1.575 and 1.620 against 1.559 from 40%). On 8 x 8, in place of the beam back to the
    // board, it made no difference (1.458 on 16 boards).
    // Either starts only where the time left holds it (about half the wide beam's time), so
    // that a deadline still leaves time for the shortcuts.
    const auto now = std::chrono::steady_clock::now();
    if (best && width >= 2 * ProbeWidth && now + (now - mainStarted) / 2 < budget.deadline
        && (shares.backOnEveryBoard || (knotsChecked(puzzle.places()) && movesAfterNearlyHome(puzzle, *best) > LongestEnd))) {
        BeamOptions back = options;
        back.width = shares.backWidth * width / Shares::Whole;
        back.positionLimit = backPositions;
        // It takes its share, beside the stretches', of what is left to show.
        back.progress = shown.stage(backPositions, shown.percent() + static_cast<int>(
                                                       static_cast<std::size_t>(100 - shown.percent()) * backPositions
                                                       / (backPositions + alongPositions)));
        const std::size_t from = shares.backFrom * best->size() / Shares::Whole;
        std::size_t positions = 0;
        best = withTailFromGoal(puzzle, std::move(*best), back, from, &positions);
        spent += positions;
    }

    // What is left of the budget goes to shortcuts: a node of their search costs about what
    // ranking a position does.
    if (best && std::chrono::steady_clock::now() < budget.deadline) {
        const std::size_t nodes = std::max(spent < budget.positions ? budget.positions - spent : 0, ShortcutNodes);
        best = withShortcuts(puzzle, std::move(*best), nodes, budget.cancel, budget.deadline);
    }

    // Last, the later stretches of the solution are searched again, each by a beam aimed at its
    // own end a hundred moves on, and once more from a little further on, with the stretches
    // half a step off the first ones. The beams from the board and from the goal took most of
    // their extra moves there, far from the position they aimed at (on 8 x 8, from 40% of the
    // way on, 1.3 to 2.9 moves for every step the tiles came closer, against 1.2 to 1.3
    // before), and that is where these beams find shorter ways. On 4 seeds of 30 random 8 x 8
    // boards, beams a third as wide as the widest took the solutions from 1.457 to 1.448 times
    // the Manhattan distance in one pass from 40% of the way (a fifth of the budget again), to
    // 1.447 with IDA* on the stretches they made, and to 1.444 with the second pass (two fifths
    // of the budget again, at most), at a median of 1.24 s on the benchmark's 50 boards without
    // a deadline. A tenth less budget for the beams from the board, to make room, lost the
    // second pass's gain (1.448). From the start on, the first pass ranked a sixth more
    // positions for hardly anything (1.446 against 1.447 on one seed).
    if (best && width >= 2 * ProbeWidth && std::chrono::steady_clock::now() < budget.deadline) {
        BeamOptions along = options;
        along.width = width / 3;
        along.positionLimit = alongPositions;
        along.progress = shown.stage(alongPositions, 100);
        const std::size_t length = best->size();
        const std::size_t firstMove = 2 * length / 5;
        best = withBeamShortcuts(puzzle, std::move(*best), along, {firstMove, 11 * length / 20 + 20});
        // The stretches the beams made have detours of their own.
        if (best->size() < length && std::chrono::steady_clock::now() < budget.deadline)
            best = withShortcuts(puzzle, std::move(*best), ShortcutNodes, budget.cancel, budget.deadline, firstMove);
    }
    return best;
}

} // namespace vantirelle
