#pragma once

#include <stdexcept>
#include <string>

namespace vantirelle {

// Every error the board rules can raise derives from BoardError, so a command
// handler can catch the whole family in one place and decide what the player sees.
class BoardError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A 16-bit signed result outside -32768..32767. The game never wraps around.
class OverflowError : public BoardError {
public:
    OverflowError() : BoardError("Overflow") {}
};

// An array index outside the array's bounds, or an array with a negative upper bound.
class SubscriptError : public BoardError {
public:
    SubscriptError() : BoardError("Subscript out of range") {}
};

// Creating a tile element that already exists, or touching one that does not.
class TileElementError : public BoardError {
public:
    explicit TileElementError(const std::string& what) : BoardError(what) {}
};

} // namespace vantirelle
