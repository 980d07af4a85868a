#include "board/numbertext.h"

#include <charconv>

namespace vantirelle {

std::string NumberText(long long value)
{
    return value < 0 ? TrimmedNumberText(value) : " " + TrimmedNumberText(value);
}

std::string TrimmedNumberText(long long value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
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
