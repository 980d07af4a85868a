#pragma once

#include <stdexcept>

namespace vantirelle {

// Every error the board rules raise derives from BoardError, so a command can catch the
// whole family in one place and decide what the player sees.
class BoardError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A 16-bit signed result outside -32768..32767. Sizes and counts never wrap around.
class OverflowError : public BoardError {
public:
    OverflowError() : BoardError("The number is too large for the board's 16-bit arithmetic.") {}
};

// A board with no places at all (a width or height of 0 or less).
class EmptyBoardError : public BoardError {
public:
    EmptyBoardError() : BoardError("A board needs at least one place.") {}
};

} // namespace vantirelle
