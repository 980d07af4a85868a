#include "board/board.h"

#include "board/errors.h"
#include "board/int16.h"
#include "board/shuffle.h"
#include "board/texts.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace vantirelle {

namespace {

// Whether a caption is exactly the decimal digits of `number`, without formatting it.
bool showsNumber(std::string_view caption, int number)
{
    char digits[8];
    std::size_t length = 0;
    do {
        digits[length++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number > 0);
    if (caption.size() != length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (caption[i] != digits[length - 1 - i])
            return false;
    }
    return true;
}

} // namespace

bool isAdmittedBoardSize(int width, int height)
{
    return width >= 1 && height >= 1 && width <= MaximumBoardSide && height <= MaximumBoardSide
           && static_cast<long long>(width) * height <= MaximumBoardPlaces;
}

Board::Board(int width, int height, std::vector<std::string> captions, int moves)
    : m_width(width), m_height(height), m_moves(moves), m_captions(std::move(captions))
{
    if (width < 1 || height < 1)
        throw EmptyBoardError();
    mul16(checkedInt16(width), checkedInt16(height)); // the count of places is 16-bit
    if (m_captions.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw BoardError("A board of " + std::to_string(width) + " \u00D7 " + std::to_string(height) + " needs "
                         + counted(static_cast<long long>(width) * height, "caption", "captions") + ", not "
                         + std::to_string(m_captions.size()) + ".");
    setMoves(moves);
    for (int place = 0; place < places(); ++place) {
        if (isBlank(place))
            m_blanks.push_back(place);
        if (isHome(place))
            ++m_home;
    }
}

Board Board::dealt(int width, int height, RandomSource& random)
{
    if (width < 1 || height < 1)
        throw EmptyBoardError();
    const Int16 last = sub16(mul16(checkedInt16(height), checkedInt16(width)), 1);
    std::vector<Int16> order = shuffledOrder(last, random);
    makeSolvable(order, checkedInt16(width), checkedInt16(height));
    std::vector<std::string> captions;
    captions.reserve(order.size());
    for (const Int16 tile : order)
        captions.push_back(tile < 0 ? std::string() : std::to_string(tile));
    return Board(width, height, std::move(captions));
}

bool Board::isBold(int place) const
{
    long long number = 0;
    return !isBlank(place) && captionNumber(caption(place), number) && number == static_cast<long long>(place) + 1;
}

bool Board::isHome(int place) const
{
    return place < places() - 1 && showsNumber(caption(place), place + 1);
}

void Board::setMoves(int moves)
{
    m_moves = checkedInt16(moves);
}

std::optional<int> Board::neighbour(int place, Direction direction) const
{
    switch (direction) {
    case Direction::Left:
        return column(place) > 0 ? std::optional(place - 1) : std::nullopt;
    case Direction::Right:
        return column(place) < m_width - 1 ? std::optional(place + 1) : std::nullopt;
    case Direction::Up:
        return row(place) > 0 ? std::optional(place - m_width) : std::nullopt;
    case Direction::Down:
        return row(place) < m_height - 1 ? std::optional(place + m_width) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<Slide> Board::slide(int place)
{
    if (place < 0 || place >= places() || isBlank(place))
        return std::nullopt;
    for (const Direction direction : {Direction::Left, Direction::Right, Direction::Up, Direction::Down}) {
        const std::optional<int> next = neighbour(place, direction);
        if (next && isBlank(*next)) {
            const Slide made{place, *next};
            play(made);
            return made;
        }
    }
    return std::nullopt;
}

std::optional<Slide> Board::slideLine(int place)
{
    if (const std::optional<Slide> beside = slide(place))
        return beside;
    if (place < 0 || place >= places() || isBlank(place))
        return std::nullopt;
    std::optional<Slide> nearest;
    int distance = 0;
    for (const Direction direction : {Direction::Left, Direction::Right, Direction::Up, Direction::Down}) {
        int steps = 1;
        for (std::optional<int> at = neighbour(place, direction); at; at = neighbour(*at, direction), ++steps) {
            if (isBlank(*at)) {
                if (!nearest || steps < distance) {
                    nearest = Slide{place, *at};
                    distance = steps;
                }
                break;
            }
        }
    }
    if (nearest)
        play(*nearest);
    return nearest;
}

int Board::tilesIn(const Slide& slide) const
{
    return std::abs(row(slide.to) - row(slide.from)) + std::abs(column(slide.to) - column(slide.from));
}

std::optional<Slide> Board::slideToward(Direction direction) const
{
    // The tile comes from the side opposite to the way it moves.
    Direction from = Direction::Left;
    switch (direction) {
    case Direction::Left: from = Direction::Right; break;
    case Direction::Right: from = Direction::Left; break;
    case Direction::Up: from = Direction::Down; break;
    case Direction::Down: from = Direction::Up; break;
    }
    for (const int blank : m_blanks) {
        const std::optional<int> tile = neighbour(blank, from);
        if (tile && !isBlank(*tile))
            return Slide{*tile, blank};
    }
    return std::nullopt;
}

void Board::moveCaption(int from, int to)
{
    assert(isBlank(to) && !isBlank(from));
    m_home -= (isHome(from) ? 1 : 0) + (isHome(to) ? 1 : 0);
    std::swap(m_captions[static_cast<std::size_t>(from)], m_captions[static_cast<std::size_t>(to)]);
    m_home += (isHome(from) ? 1 : 0) + (isHome(to) ? 1 : 0);

    // The blank list is nearly always one long; keep it in reading order.
    auto at = std::lower_bound(m_blanks.begin(), m_blanks.end(), to);
    m_blanks.erase(at);
    m_blanks.insert(std::lower_bound(m_blanks.begin(), m_blanks.end(), from), from);
}

void Board::play(const Slide& slide)
{
    // Along the line from the blank back to `from`: each tile in turn into the place left.
    const int tiles = tilesIn(slide);
    const int step = tiles > 0 ? (slide.to - slide.from) / tiles : 0;
    for (int to = slide.to; to != slide.from; to -= step) {
        moveCaption(to - step, to);
        if (m_moves < MaximumMoves)
            ++m_moves;
    }
}

void Board::takeBack(const Slide& slide, int movesBefore)
{
    const int tiles = tilesIn(slide);
    const int step = tiles > 0 ? (slide.to - slide.from) / tiles : 0;
    for (int blank = slide.from; blank != slide.to; blank += step)
        moveCaption(blank + step, blank);
    setMoves(movesBefore);
}

} // namespace vantirelle
