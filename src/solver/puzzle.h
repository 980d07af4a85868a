#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantirelle {

class Board;

// A standard board as the solver sees it: the number on every place in reading order,
// 0 for the blank. The goal has the numbers in reading order and the blank last.
struct Puzzle {
    int width = 0;
    int height = 0;
    std::vector<std::int16_t> tiles;

    // The numbers in reading order and the blank last.
    static Puzzle goal(int width, int height);

    int places() const { return width * height; }
    int blank() const;
    bool isGoal() const;
    // The tile `number` slides into the blank beside it.
    void move(int number);
    bool operator==(const Puzzle&) const = default;
};

// A solution as the sliding-puzzle community writes it: a letter for the way each tile
// moves (U up, D down, L left, R right), a count after a letter that repeats it: "URDL2UR2".
std::string movesAsLetters(const Puzzle& start, const std::vector<std::int16_t>& moves);

// The board as a puzzle when its captions are exactly the numbers 1 to N-1, once each,
// in plain digits, and one blank; nothing for any other board.
std::optional<Puzzle> standardPuzzle(const Board& board);

// Whether slides can bring the puzzle to its goal. On boards at least two places each
// way, exactly when the permutation of all places, the blank counted as N, has the parity
// of the blank's distance from its home corner. On a board one place wide or high the
// tiles cannot pass each other, so they must already be in order. Linear in the places.
bool isSolvable(const Puzzle& puzzle);

} // namespace vantirelle
