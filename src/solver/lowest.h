#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantirelle {

// Keeps the `width` items with the lowest scores, in the order they came, and drops the
// rest. Scores are whole numbers, so a count of each finds the cut; of the items on the cut,
// those with the lowest keys are kept. `counts` and `tied` are room to work in, handed in so
// that a search calling this at every depth allocates nothing.
template <class Item, class ScoreOf, class KeyOf>
void keepLowest(std::vector<Item>& items, std::size_t width, ScoreOf scoreOf, KeyOf keyOf,
                std::vector<std::uint32_t>& counts, std::vector<std::uint32_t>& tied)
{
    if (items.size() <= width)
        return;
    // Only the scores between the lowest and the highest are counted: a beam's scores start
    // above 400,000 on a random 6 x 15 board, but those of one depth lay within 14,000 of
    // each other there (4,200 on average).
    int bottom = static_cast<int>(scoreOf(items.front()));
    int top = bottom;
    for (const Item& item : items) {
        const int score = static_cast<int>(scoreOf(item));
        bottom = std::min(bottom, score);
        top = std::max(top, score);
    }
    counts.assign(static_cast<std::size_t>(top - bottom) + 1, 0);
    for (const Item& item : items)
        ++counts[static_cast<std::size_t>(static_cast<int>(scoreOf(item)) - bottom)];
    std::size_t below = 0;
    int cut = bottom;
    while (below + counts[static_cast<std::size_t>(cut - bottom)] <= width)
        below += counts[static_cast<std::size_t>(cut++ - bottom)];

    const std::size_t wanted = width - below;
    tied.clear();
    for (const Item& item : items) {
        if (scoreOf(item) == cut)
            tied.push_back(keyOf(item));
    }
    // The lowest key left out, which some of those kept may share.
    const auto out = tied.begin() + static_cast<std::ptrdiff_t>(wanted);
    std::nth_element(tied.begin(), out, tied.end());
    const std::uint32_t edge = *out;
    const auto under = std::partition(tied.begin(), out, [edge](std::uint32_t key) { return key < edge; });
    auto sharing = static_cast<std::size_t>(out - under);
    std::size_t kept = 0;
    for (const Item& item : items) {
        const int score = static_cast<int>(scoreOf(item));
        if (score < cut) {
            items[kept++] = item;
        } else if (score == cut) {
            const std::uint32_t key = keyOf(item);
            if (key < edge || (key == edge && sharing > 0)) {
                sharing -= key == edge;
                items[kept++] = item;
            }
        }
    }
    items.resize(kept);
}

} // namespace vantirelle
