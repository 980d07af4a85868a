#include "solver/puzzle.h"

#include "board/board.h"

#include <cstdlib>
#include <stdexcept>

namespace vantirelle {

int Puzzle::blank() const
{
    for (int place = 0; place < places(); ++place) {
        if (tiles[static_cast<std::size_t>(place)] == 0)
            return place;
    }
    return -1;
}

Puzzle Puzzle::goal(int width, int height)
{
    Puzzle puzzle{width, height, {}};
    for (int place = 1; place < width * height; ++place)
        puzzle.tiles.push_back(static_cast<std::int16_t>(place));
    puzzle.tiles.push_back(0);
    return puzzle;
}

bool Puzzle::isGoal() const
{
    const int last = places() - 1;
    for (int place = 0; place < last; ++place) {
        if (tiles[static_cast<std::size_t>(place)] != place + 1)
            return false;
    }
    return tiles[static_cast<std::size_t>(last)] == 0;
}

void Puzzle::move(int number)
{
    const int blankAt = blank();
    int from = -1;
    for (const int next : {blankAt - 1, blankAt + 1, blankAt - width, blankAt + width}) {
        const bool sameRow = next / width == blankAt / width;
        const bool beside = (next == blankAt - 1 || next == blankAt + 1) ? sameRow : true;
        if (next >= 0 && next < places() && beside && tiles[static_cast<std::size_t>(next)] == number)
            from = next;
    }
    if (from < 0)
        throw std::logic_error("tile " + std::to_string(number) + " is not beside the blank");
    tiles[static_cast<std::size_t>(blankAt)] = static_cast<std::int16_t>(number);
    tiles[static_cast<std::size_t>(from)] = 0;
}

std::string movesAsLetters(const Puzzle& start, const std::vector<std::int16_t>& moves)
{
    std::vector<int> where(static_cast<std::size_t>(start.places()));
    for (int place = 0; place < start.places(); ++place)
        where[static_cast<std::size_t>(start.tiles[static_cast<std::size_t>(place)])] = place;
    std::string letters;
    char last = 0;
    int run = 0;
    auto flush = [&] {
        if (run > 0) {
            letters += last;
            if (run > 1)
                letters += std::to_string(run);
        }
    };
    for (const std::int16_t tile : moves) {
        const int from = where[static_cast<std::size_t>(tile)];
        const int to = where[0];
        const char letter = to == from - 1 ? 'L' : to == from + 1 ? 'R' : to < from ? 'U' : 'D';
        where[static_cast<std::size_t>(tile)] = to;
        where[0] = from;
        if (letter == last) {
            ++run;
        } else {
            flush();
            last = letter;
            run = 1;
        }
    }
    flush();
    return letters;
}

std::optional<Puzzle> standardPuzzle(const Board& board)
{
    Puzzle puzzle{board.width(), board.height(), {}};
    const int places = board.places();
    puzzle.tiles.reserve(static_cast<std::size_t>(places));
    std::vector<bool> seen(static_cast<std::size_t>(places), false);
    int blanks = 0;
    for (const std::string& caption : board.captions()) {
        if (caption.empty()) {
            ++blanks;
            puzzle.tiles.push_back(0);
            continue;
        }
        // Plain digits, no sign, no spaces, no leading zero.
        if (caption.size() > 5 || caption.front() == '0')
            return std::nullopt;
        int number = 0;
        for (const char c : caption) {
            if (c < '0' || c > '9')
                return std::nullopt;
            number = number * 10 + (c - '0');
        }
        if (number < 1 || number >= places || seen[static_cast<std::size_t>(number)])
            return std::nullopt;
        seen[static_cast<std::size_t>(number)] = true;
        puzzle.tiles.push_back(static_cast<std::int16_t>(number));
    }
    if (blanks != 1)
        return std::nullopt;
    return puzzle;
}

bool isSolvable(const Puzzle& puzzle)
{
    const int places = puzzle.places();
    if (puzzle.width == 1 || puzzle.height == 1) {
        int expected = 1;
        for (const std::int16_t tile : puzzle.tiles) {
            if (tile != 0 && tile != expected++)
                return false;
        }
        return true;
    }
    // Parity of the permutation place -> number (the blank as `places`), by its cycles.
    std::vector<bool> visited(static_cast<std::size_t>(places), false);
    int cycles = 0;
    for (int start = 0; start < places; ++start) {
        if (visited[static_cast<std::size_t>(start)])
            continue;
        ++cycles;
        for (int at = start; !visited[static_cast<std::size_t>(at)];) {
            visited[static_cast<std::size_t>(at)] = true;
            const int value = puzzle.tiles[static_cast<std::size_t>(at)];
            at = (value == 0 ? places : value) - 1; // where the value on `at` belongs
        }
    }
    const bool permutationEven = (places - cycles) % 2 == 0;
    const int blankAt = puzzle.blank();
    const int distance = (puzzle.width - 1 - blankAt % puzzle.width) + (puzzle.height - 1 - blankAt / puzzle.width);
    return permutationEven == (distance % 2 == 0);
}

} // namespace vantirelle
