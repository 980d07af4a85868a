#pragma once

#include "board/int16.h"
#include "board/random.h"

#include <vector>

namespace vantirelle {

// The starting order for a board whose highest place index is n: entries 0..n-1
// hold the tiles 1..n in random order and entry n holds -1, the blank. Reseeds
// the generator, then makes 1001 to 6001 random exchanges of the solved order.
// Raises EmptyBoardError for n < 0.
std::vector<Int16> shuffledOrder(Int16 n, RandomSource& random);

// On a board at least 2 by 2 with the blank in its home corner, the order can be
// solved exactly when the tiles form an even permutation. Mends an odd order by
// exchanging the tiles on places 0 and 1, and a solved order by rotating the tiles
// on places 0, 1 and 2, so every new board can be won and is not won already.
void makeSolvable(std::vector<Int16>& order, Int16 boardWidth, Int16 boardHeight);

bool isEvenPermutation(const std::vector<Int16>& order);
bool isSolvedOrder(const std::vector<Int16>& order);

} // namespace vantirelle
