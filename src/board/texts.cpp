#include "board/texts.h"

#include <charconv>

namespace vantirelle {

std::string spacedNumber(long long value)
{
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string frameTitle(int width, int height)
{
    return "Playing" + spacedNumber(width) + " \u00D7" + spacedNumber(height);
}

std::string movesText(int moves)
{
    return "You have made" + spacedNumber(moves) + " Moves.";
}

std::string winText(int moves)
{
    return "You have Won in" + spacedNumber(moves) + " moves";
}

std::string customWidthText(int value)
{
    return "Custom Width:" + spacedNumber(value);
}

std::string customHeightText(int value)
{
    return "Custom Height:" + spacedNumber(value);
}

std::string counted(long long count, std::string_view singular, std::string_view plural)
{
    return std::to_string(count) + " " + std::string(count == 1 ? singular : plural);
}

bool captionNumber(std::string_view caption, long long& value)
{
    while (!caption.empty() && caption.front() == ' ')
        caption.remove_prefix(1);
    while (!caption.empty() && caption.back() == ' ')
        caption.remove_suffix(1);
    if (!caption.empty() && caption.front() == '+')
        caption.remove_prefix(1);
    if (caption.empty())
        return false;
    const auto result = std::from_chars(caption.data(), caption.data() + caption.size(), value);
    return result.ec == std::errc() && result.ptr == caption.data() + caption.size();
}

} // namespace vantirelle
