#pragma once

#include <string>
#include <string_view>

namespace vantirelle {

// The number form used throughout the interface: " 5", " 0", "-3".
std::string NumberText(long long value);

// The same without the leading space: "5", "0", "-3". Tile captions use this form.
std::string TrimmedNumberText(long long value);

// A caption read as a number, the way the bold rule reads it: leading and trailing
// spaces are ignored and anything that is not a whole decimal number gives no value.
bool captionNumber(std::string_view caption, long long& value);

} // namespace vantirelle
