#pragma once

#include <string>
#include <string_view>

namespace vantirelle {

inline constexpr std::string_view ApplicationTitle = "Vantirelle";

// Numbers as the interface shows them: one space before zero and positive values,
// a minus sign before negative ones (" 5", " 0", "-3").
std::string spacedNumber(long long value);

// "Playing 4 × 3"
std::string frameTitle(int width, int height);
// "You have made 1 Moves." (one form for every count)
std::string movesText(int moves);
// "You have Won in 12 moves"
std::string winText(int moves);
// "Custom Width: 5", "Custom Height: 5"
std::string customWidthText(int value);
std::string customHeightText(int value);

// "1 byte", "2 bytes": a count with its noun in agreement.
std::string counted(long long count, std::string_view singular, std::string_view plural);

// A caption read as a whole decimal number, spaces around it ignored, the way the bold
// rule reads captions. Anything else has no value.
bool captionNumber(std::string_view caption, long long& value);

} // namespace vantirelle
