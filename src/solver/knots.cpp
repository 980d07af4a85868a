#include "solver/knots.h"

#include "solver/between.h"

#include <algorithm>
#include <cstdlib>

namespace vantirelle {

namespace {

constexpr int LargestKnot = 16; // places of the rectangle a knot is mended in
// Search for all the knots of a position, so that one whose knots cannot be undone costs
// little time. Measured on 12 random 10 x 10 boards under the command line's deadline:
// 4 million nodes gave 1.670 times the Manhattan distance, 400,000 gave 1.672 in a little
// less time, 100,000 gave 1.743.
constexpr std::uint64_t MendNodeLimit = 400'000;

struct Rectangle {
    int top, left, bottom, right; // inclusive
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    int places() const { return width() * height(); }
    bool contains(int row, int column) const { return row >= top && row <= bottom && column >= left && column <= right; }
};

class Mender {
public:
    Mender(const Puzzle& puzzle, const std::atomic<bool>* cancel, std::chrono::steady_clock::time_point deadline)
        : m_board(puzzle), m_cancel(cancel), m_deadline(deadline)
    {
    }

    std::optional<std::vector<std::int16_t>> run()
    {
        for (int knots = 0; !m_board.isGoal(); ++knots) {
            if (knots > 2 * m_board.places())
                return std::nullopt;
            // Knots that can be undone on their own first; then the first odd one's swap is
            // carried on.
            std::vector<Rectangle> tried;
            std::optional<Rectangle> odd;
            bool mended = false;
            for (int place = 0; place < m_board.places() && !mended; ++place) {
                const int row = place / width();
                const int column = place % width();
                const auto within = [&](const Rectangle& r) { return r.contains(row, column); };
                if (tileAt(place) == 0 || inPlace(place) || std::any_of(tried.begin(), tried.end(), within))
                    continue;
                std::optional<Rectangle> knot = rectangleAround(place);
                tried.push_back(knot.value_or(Rectangle{row, column, row, column}));
                if (knot && !odd)
                    odd = knot;
                // A rectangle whose tiles cannot be put right with the blank coming in where
                // it does is made a row or a column larger.
                for (int tries = 0; knot && tries < 4 && !mended; ++tries) {
                    mended = mend(*knot);
                    if (!mended)
                        knot = grown(*knot);
                }
            }
            if (!mended && (!odd || !carry(*odd)))
                return std::nullopt;
        }
        return m_moves;
    }

private:
    int width() const { return m_board.width; }
    int height() const { return m_board.height; }
    int home(int tile) const { return tile == 0 ? m_board.places() - 1 : tile - 1; }
    int tileAt(int place) const { return m_board.tiles[static_cast<std::size_t>(place)]; }
    bool inPlace(int place) const { return tileAt(place) != 0 && home(tileAt(place)) == place; }

    static void include(Rectangle& r, int row, int column)
    {
        r.top = std::min(r.top, row);
        r.bottom = std::max(r.bottom, row);
        r.left = std::min(r.left, column);
        r.right = std::max(r.right, column);
    }

    // At least two by three, room enough to turn any three tiles round.
    std::optional<Rectangle> roomy(Rectangle r) const
    {
        while (r.width() < 2 || r.height() < 2 || r.places() < 6) {
            const std::optional<Rectangle> larger = grown(r);
            if (!larger)
                return r.width() >= 2 && r.height() >= 2 ? std::optional(r) : std::nullopt;
            r = *larger;
        }
        return r;
    }

    // One more row or column, on the shorter side where the board allows.
    std::optional<Rectangle> grown(Rectangle r) const
    {
        const bool across = r.width() <= r.height();
        for (const bool wider : {across, !across}) {
            Rectangle g = r;
            if (wider && g.right < width() - 1)
                ++g.right;
            else if (wider && g.left > 0)
                --g.left;
            else if (!wider && g.bottom < height() - 1)
                ++g.bottom;
            else if (!wider && g.top > 0)
                --g.top;
            else
                continue;
            if (g.places() <= LargestKnot)
                return closed(g);
        }
        return std::nullopt;
    }

    std::optional<Rectangle> rectangleAround(int seed) const
    {
        Rectangle r{seed / width(), seed % width(), seed / width(), seed % width()};
        const int goal = home(tileAt(seed));
        include(r, goal / width(), goal % width());
        std::optional<Rectangle> closedKnot = closed(r);
        return closedKnot ? roomy(*closedKnot) : std::nullopt;
    }

    // The rectangle grown until every tile in it belongs in it, every place in it has its
    // tile in it (the goal's blank corner excepted), and no tile out of place touches it.
    std::optional<Rectangle> closed(Rectangle r) const
    {
        for (bool changed = true; changed;) {
            if (r.places() > LargestKnot)
                return std::nullopt;
            changed = false;
            const Rectangle before = r;
            for (int row = std::max(0, r.top - 1); row <= std::min(height() - 1, r.bottom + 1); ++row) {
                for (int column = std::max(0, r.left - 1); column <= std::min(width() - 1, r.right + 1); ++column) {
                    const int place = row * width() + column;
                    const int tile = tileAt(place);
                    if (before.contains(row, column)) {
                        if (tile != 0)
                            include(r, home(tile) / width(), home(tile) % width());
                        if (place != m_board.places() - 1) {
                            const int where = placeOf(place + 1);
                            include(r, where / width(), where % width());
                        }
                    } else if (tile != 0 && !inPlace(place)) {
                        include(r, row, column);
                    }
                }
            }
            changed = r.top != before.top || r.left != before.left || r.bottom != before.bottom || r.right != before.right;
        }
        return r;
    }

    int placeOf(int tile) const
    {
        return static_cast<int>(std::find(m_board.tiles.begin(), m_board.tiles.end(), tile) - m_board.tiles.begin());
    }

    void slideInto(int place)
    {
        const int tile = tileAt(place);
        m_moves.push_back(static_cast<std::int16_t>(tile));
        m_board.move(tile);
    }

    // The shortest way for the blank, over places outside the knot, to a place beside one
    // of the knot's places whose tile is in place; that place last.
    std::vector<int> wayIn(const Rectangle& knot) const
    {
        const int places = m_board.places();
        std::vector<int> parent(static_cast<std::size_t>(places), -2);
        const int start = m_board.blank();
        std::vector<int> queue{start};
        parent[static_cast<std::size_t>(start)] = -1;
        for (std::size_t at = 0; at < queue.size(); ++at) {
            const int cell = queue[at];
            const int row = cell / width();
            const int column = cell % width();
            const int next[4] = {row > 0 ? cell - width() : -1, column > 0 ? cell - 1 : -1,
                                 column < width() - 1 ? cell + 1 : -1, row < height() - 1 ? cell + width() : -1};
            for (const int n : next) {
                if (n < 0 || parent[static_cast<std::size_t>(n)] != -2)
                    continue;
                if (knot.contains(n / width(), n % width())) {
                    if (!inPlace(n))
                        continue;
                    std::vector<int> way{n};
                    for (int back = cell; back != start; back = parent[static_cast<std::size_t>(back)])
                        way.push_back(back);
                    std::reverse(way.begin(), way.end());
                    return way;
                }
                parent[static_cast<std::size_t>(n)] = cell;
                queue.push_back(n);
            }
        }
        return {};
    }

    static int distance(const Rectangle& r, int row, int column)
    {
        return std::max({r.top - row, row - r.bottom, 0}) + std::max({r.left - column, column - r.right, 0});
    }

    // An odd knot, one whose tiles no blank that leaves where it came in can put right,
    // has a partner elsewhere: another odd knot, or the blank's own corner. Its tiles go home
    // but for two neighbours swapped on its side toward the nearest tile out of place, and
    // the rectangle grown that way carries the swap on, until the swap reaches the partner
    // and the two are undone together.
    bool carry(const Rectangle& knot)
    {
        // Toward the nearest tile out of place, or, where that one is too close to get
        // nearer without taking it in and too large to take in, toward the next.
        std::vector<std::pair<int, int>> troubles; // distance, place
        for (int place = 0; place < m_board.places(); ++place) {
            const int row = place / width();
            const int column = place % width();
            if (tileAt(place) != 0 && !inPlace(place) && !knot.contains(row, column))
                troubles.emplace_back(distance(knot, row, column), place);
        }
        std::sort(troubles.begin(), troubles.end());
        for (const auto& [far, place] : troubles) {
            if (carryToward(knot, place))
                return true;
        }
        return false;
    }

    bool carryToward(const Rectangle& knot, int toward)
    {
        const int row = toward / width();
        const int column = toward % width();
        // As square as may be, within the places a knot may have; the farthest step first,
        // and shorter ones where that one takes in other tiles out of place.
        std::vector<Rectangle> steps{knot};
        for (;;) {
            Rectangle g = steps.back();
            const bool down = row > g.bottom, up = row < g.top, right = column > g.right, left = column < g.left;
            if ((right || left) && (!(down || up) || g.width() <= g.height()))
                (right ? g.right : g.left) += right ? 1 : -1;
            else if (down || up)
                (down ? g.bottom : g.top) += down ? 1 : -1;
            if (g.places() > LargestKnot || distance(g, row, column) == 0)
                break;
            steps.push_back(g);
        }
        const Puzzle before = m_board;
        const std::size_t movesBefore = m_moves.size();
        // Each step gets a quarter of the search left, so that where a long one fails a
        // shorter one still can be tried.
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            if (const std::optional<Rectangle> r = closed(*step); r && (mend(*r, {}, 4) || mend(*r, toward, 4))) {
                if (!(m_board == before))
                    return true;
                m_moves.resize(movesBefore); // the swap is as near as it can come from here
            }
        }
        return false;
    }

    // With `swapToward`, the two neighbours nearest it end swapped. The search for it takes
    // at most a `share`th of what is left.
    bool mend(const Rectangle& knot, std::optional<int> swapToward = std::nullopt, std::uint64_t share = 1)
    {
        if (m_nodesLeft == 0 || std::chrono::steady_clock::now() >= m_deadline)
            return false;
        const int start = m_board.blank();
        const bool blankInside = knot.contains(start / width(), start % width());
        std::vector<int> way;
        if (!blankInside) {
            way = wayIn(knot);
            if (way.empty())
                return false;
        }
        const Puzzle before = m_board;
        const std::size_t movesBefore = m_moves.size();
        for (const int cell : way)
            slideInto(cell);

        // The knot as a board of its own: its goal has the blank where the blank came in,
        // or, with the blank inside from the start, in the goal's corner.
        std::vector<std::uint8_t> cells;
        std::vector<std::uint8_t> goal;
        std::vector<int> globalPlace;
        std::vector<int> globalTile(1, 0);
        const int entry = way.empty() ? m_board.places() - 1 : way.back();
        for (int row = knot.top; row <= knot.bottom; ++row) {
            for (int column = knot.left; column <= knot.right; ++column) {
                const int place = row * width() + column;
                globalPlace.push_back(place);
                if (place == entry) {
                    goal.push_back(0);
                } else {
                    goal.push_back(static_cast<std::uint8_t>(globalTile.size()));
                    globalTile.push_back(place + 1);
                }
            }
        }
        if (swapToward) {
            // The two neighbours nearest it, the blank's place left out.
            const auto far = [&](std::size_t local) {
                const int place = globalPlace[local];
                return std::abs(place / width() - *swapToward / width())
                       + std::abs(place % width() - *swapToward % width());
            };
            std::size_t a = 0, b = 0;
            for (std::size_t i = 0; i < globalPlace.size(); ++i) {
                for (const std::size_t j : {i + 1, i + static_cast<std::size_t>(knot.width())}) {
                    const bool wraps = j == i + 1 && globalPlace[i] % width() == knot.right;
                    if (j < globalPlace.size() && !wraps && goal[i] != 0 && goal[j] != 0
                        && (a == b || far(i) + far(j) < far(a) + far(b))) {
                        a = i;
                        b = j;
                    }
                }
            }
            std::swap(goal[a], goal[b]);
        }
        std::vector<int> localOf(static_cast<std::size_t>(m_board.places()) + 1, -1);
        for (std::size_t local = 1; local < globalTile.size(); ++local)
            localOf[static_cast<std::size_t>(globalTile[local])] = static_cast<int>(local);
        for (const int place : globalPlace) {
            const int tile = tileAt(place);
            if (tile != 0 && localOf[static_cast<std::size_t>(tile)] < 0) {
                m_board = before;
                m_moves.resize(movesBefore);
                return false; // a tile that does not belong here came in
            }
            cells.push_back(static_cast<std::uint8_t>(tile == 0 ? 0 : localOf[static_cast<std::size_t>(tile)]));
        }

        std::uint64_t nodes = 0;
        const std::optional<std::vector<int>> blanks =
            solvable(knot.width(), cells, goal)
                ? shortestWayBetween(knot.width(), knot.height(), cells, goal,
                                     m_nodesLeft / share, 0, m_cancel, &nodes, m_deadline)
                : std::nullopt;
        m_nodesLeft -= std::min(nodes, m_nodesLeft);
        if (!blanks) {
            m_board = before;
            m_moves.resize(movesBefore);
            return false;
        }
        for (const int local : *blanks)
            slideInto(globalPlace[static_cast<std::size_t>(local)]);
        // Back the way it came: every tile it moved on the way in goes home again.
        for (std::size_t k = way.size(); k-- > 0;)
            slideInto(k == 0 ? start : way[k - 1]);
        return true;
    }

    // Whether slides bring `cells` to `goal`: the permutation between them, the blank
    // counted, has the parity of the blank's distance between them.
    static bool solvable(int width, const std::vector<std::uint8_t>& cells, const std::vector<std::uint8_t>& goal)
    {
        const std::size_t places = cells.size();
        std::vector<std::size_t> where(places);
        for (std::size_t place = 0; place < places; ++place)
            where[goal[place]] = place;
        std::vector<bool> seen(places, false);
        std::size_t cycles = 0;
        for (std::size_t start = 0; start < places; ++start) {
            if (seen[start])
                continue;
            ++cycles;
            for (std::size_t at = start; !seen[at]; at = where[cells[at]])
                seen[at] = true;
        }
        const auto blank = static_cast<int>(std::find(cells.begin(), cells.end(), 0) - cells.begin());
        const auto target = static_cast<int>(where[0]);
        const int distance = std::abs(blank / width - target / width) + std::abs(blank % width - target % width);
        return (places - cycles) % 2 == static_cast<std::size_t>(distance % 2);
    }

    Puzzle m_board;
    const std::atomic<bool>* m_cancel;
    std::chrono::steady_clock::time_point m_deadline;
    std::vector<std::int16_t> m_moves;
    std::uint64_t m_nodesLeft = MendNodeLimit;
};

} // namespace

std::optional<std::vector<std::int16_t>> undoKnots(const Puzzle& puzzle, const std::atomic<bool>* cancel,
                                                   std::chrono::steady_clock::time_point deadline)
{
    if (puzzle.width < 2 || puzzle.height < 2)
        return std::nullopt;
    return Mender(puzzle, cancel, deadline).run();
}

} // namespace vantirelle
