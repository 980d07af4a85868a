#include "board/shuffle.h"

#include "board/errors.h"

#include <cstddef>
#include <utility>

namespace vantirelle {

std::vector<Int16> shuffledOrder(Int16 n, RandomSource& random)
{
    random.reseed();
    if (n < 0)
        throw EmptyBoardError();

    std::vector<Int16> order(static_cast<std::size_t>(n) + 1);
    for (Int16 i = 0; i <= n; i = add16(i, 1)) {
        order[static_cast<std::size_t>(i)] = i;
        if (i == n)
            break; // the counter would pass 32767 after the last place
    }

    const Int16 exchanges = roundToInt16(random.next() * 5000.0f + 1000.0f);
    for (Int16 k = 0; k <= exchanges; ++k) {
        const Int16 a = roundToInt16(random.next() * static_cast<float>(n));
        const Int16 b = roundToInt16(random.next() * static_cast<float>(n));
        std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
    }

    for (Int16 j = 0; j <= n; ++j) {
        if (order[static_cast<std::size_t>(j)] == 0) {
            order[static_cast<std::size_t>(j)] = order[static_cast<std::size_t>(n)];
            order[static_cast<std::size_t>(n)] = -1;
            break; // exactly one entry is 0
        }
    }
    return order;
}

bool isEvenPermutation(const std::vector<Int16>& order)
{
    // Tiles on places 0..n-1; the blank on the last place takes no part.
    const std::size_t tiles = order.empty() ? 0 : order.size() - 1;
    std::vector<bool> seen(tiles, false);
    std::size_t cycles = 0;
    for (std::size_t start = 0; start < tiles; ++start) {
        if (seen[start])
            continue;
        ++cycles;
        for (std::size_t at = start; !seen[at]; at = static_cast<std::size_t>(order[at] - 1))
            seen[at] = true;
    }
    return (tiles - cycles) % 2 == 0;
}

bool isSolvedOrder(const std::vector<Int16>& order)
{
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        if (order[i] != static_cast<Int16>(i + 1))
            return false;
    }
    return !order.empty() && order.back() == -1;
}

void makeSolvable(std::vector<Int16>& order, Int16 boardWidth, Int16 boardHeight)
{
    if (boardWidth < 2 || boardHeight < 2 || order.size() < 4)
        return;
    if (!isEvenPermutation(order))
        std::swap(order[0], order[1]);
    if (isSolvedOrder(order)) {
        // A three-cycle keeps the permutation even.
        const Int16 first = order[0];
        order[0] = order[1];
        order[1] = order[2];
        order[2] = first;
    }
}

} // namespace vantirelle
