#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantirelle {

class RandomSource;

// The move counter is 16-bit signed: it counts up to this and then holds.
inline constexpr int MaximumMoves = 32767;

// Boards are 1 to 682 places each way (682 tiles of 48 pixels stay within 16 bits) and
// at most 32767 places in all.
inline constexpr int MaximumBoardSide = 682;
inline constexpr int MaximumBoardPlaces = 32767;
bool isAdmittedBoardSize(int width, int height);

enum class Direction { Left, Right, Up, Down };

// One slide: the tile on place `from` went into the blank on place `to`. Where the two are
// not neighbours they lie on one row or column, and every tile from `from` up to the one
// beside `to` went one place toward it, the nearest first: a line of tiles, each a move.
struct Slide {
    int from = 0;
    int to = 0;
    bool operator==(const Slide&) const = default;
};

// The game's board as a value: its size, the caption of every place in reading order
// (place = row * width + column), and the moves made. The blank is the empty caption;
// a saved game may hold any captions and more than one blank, and those play by the
// same rules. What the window shows is derived from this: a place is drawn when its
// caption is not empty, and drawn bold when its caption, read as a number, is its place + 1.
class Board {
public:
    // Raises EmptyBoardError for a width or height below 1, and OverflowError when
    // width x height does not fit the 16-bit count of places.
    Board(int width, int height, std::vector<std::string> captions, int moves = 0);

    // A freshly shuffled board: the tiles 1..n in random order, the blank on the last
    // place, never already in order and, on boards at least 2 x 2, always solvable.
    static Board dealt(int width, int height, RandomSource& random);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int places() const { return static_cast<int>(m_captions.size()); }
    int moves() const { return m_moves; }
    const std::string& caption(int place) const { return m_captions[static_cast<std::size_t>(place)]; }
    const std::vector<std::string>& captions() const { return m_captions; }
    bool isBlank(int place) const { return caption(place).empty(); }
    bool isBold(int place) const;
    // The blanks in reading order; a dealt board has exactly one, on the last place.
    const std::vector<int>& blanks() const { return m_blanks; }

    int row(int place) const { return place / m_width; }
    int column(int place) const { return place % m_width; }
    int placeAt(int row, int column) const { return row * m_width + column; }

    // The win test: every place but the last shows its own number (place + 1) as plain
    // digits, compared as text. The count of such places is kept up to date by every
    // change, so the test costs the same at every size.
    bool isSolved() const { return m_home == places() - 1; }

    // A click on a tile: its neighbours are tried left, right, up, down, never across an
    // edge of the board; the tile moves into the first of them that is blank and the move
    // is counted (holding at MaximumMoves). Nothing moves for a blank place or a tile with
    // no blank beside it.
    std::optional<Slide> slide(int place);

    // A click with Shift: the tile beside a blank slides as a click slides it; a tile with a
    // blank further along its row or column slides, with every tile between them, one place
    // toward the nearest such blank (left, right, up, down where two are as near). Nothing
    // moves for any other place.
    std::optional<Slide> slideLine(int place);

    // The tile that an arrow key moves: the one on the far side of the first blank, in
    // reading order, that has a tile beside it in that direction; Left moves the tile to
    // the right of the blank leftwards into it, and so on.
    std::optional<Slide> slideToward(Direction direction) const;

    // Moves the tile on `from` into the blank `to`, or the line of tiles from `from` toward
    // it, and counts each tile moved (holding at MaximumMoves).
    void play(const Slide& slide);
    // Takes a slide back and sets the count to what it was before it.
    void takeBack(const Slide& slide, int movesBefore);
    // How many tiles a slide moves, and the places between `from` and `to`, `to` last.
    int tilesIn(const Slide& slide) const;

    void setMoves(int moves);
    bool operator==(const Board& other) const
    {
        return m_width == other.m_width && m_moves == other.m_moves && m_captions == other.m_captions;
    }

private:
    bool isHome(int place) const;
    void moveCaption(int from, int to);
    std::optional<int> neighbour(int place, Direction direction) const;

    int m_width;
    int m_height;
    int m_moves;
    std::vector<std::string> m_captions;
    std::vector<int> m_blanks;
    int m_home = 0; // places before the last that show their own number
};

} // namespace vantirelle
