#include "board/boardtext.h"

#include "board/texts.h"

#include <vector>

namespace vantirelle {

namespace {

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string quoted(std::string_view text)
{
    constexpr std::size_t Shown = 12;
    std::string out = "\"" + std::string(text.substr(0, Shown));
    if (text.size() > Shown)
        out += "...";
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < ' ')
            c = '?';
    }
    return out + "\"";
}

} // namespace

std::optional<std::string> boardText(const Board& board)
{
    const int places = board.places();
    std::vector<bool> seen(static_cast<std::size_t>(places), false);
    int blanks = 0;
    std::string text;
    for (int place = 0; place < places; ++place) {
        if (place > 0)
            text += board.column(place) == 0 ? '/' : ' ';
        const std::string& caption = board.caption(place);
        if (caption.empty()) {
            ++blanks;
            text += '0';
            continue;
        }
        int number = 0;
        if (caption.size() > 5 || caption.front() == '0')
            return std::nullopt;
        for (const char c : caption) {
            if (c < '0' || c > '9')
                return std::nullopt;
            number = number * 10 + (c - '0');
        }
        if (number >= places || seen[static_cast<std::size_t>(number)])
            return std::nullopt;
        seen[static_cast<std::size_t>(number)] = true;
        text += caption;
    }
    if (blanks != 1)
        return std::nullopt;
    return text;
}

std::size_t longestBoardText()
{
    std::size_t length = 0;
    for (int number = 0; number < MaximumBoardPlaces; ++number)
        length += std::to_string(number).size() + (number > 0 ? 1 : 0);
    return length;
}

std::optional<std::string> tooLongForABoard(std::size_t length)
{
    // A final newline, "\r\n" at most, over the longest board: anything more is no board.
    static const std::size_t longest = longestBoardText();
    if (length <= longest + 2)
        return std::nullopt;
    return "The text is " + counted(static_cast<long long>(length), "character", "characters")
           + " long, longer than any board's: the largest board is "
           + counted(static_cast<long long>(longest), "character", "characters") + ".";
}

ReadBoard readBoardText(std::string_view text)
{
    if (std::optional<std::string> tooLong = tooLongForABoard(text.size()))
        return {std::nullopt, std::move(*tooLong)};
    while (!text.empty() && isWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return {std::nullopt, "There is no board in the text."};

    std::vector<std::vector<int>> rows(1);
    std::size_t at = 0;
    while (true) {
        const std::size_t end = text.find_first_of(" /", at);
        const std::string_view token = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        const std::string where = "Row " + std::to_string(rows.size()) + ", tile " + std::to_string(rows.back().size() + 1);
        if (token.empty()) {
            if (at > 0 && text[at - 1] == ' ')
                return {std::nullopt, where + " is missing: tiles are separated by single spaces."};
            return {std::nullopt, "Row " + std::to_string(rows.size()) + " is empty."};
        }
        int number = 0;
        for (const char c : token) {
            if (c < '0' || c > '9')
                return {std::nullopt, where + " is " + quoted(token) + ", not a number."};
            if (number > MaximumBoardPlaces)
                return {std::nullopt, where + " is " + quoted(token) + ", larger than any board's tiles."};
            number = number * 10 + (c - '0');
        }
        if (token.size() > 1 && token.front() == '0')
            return {std::nullopt, where + " is " + quoted(token) + ": numbers are written without leading zeros."};
        rows.back().push_back(number);
        if (end == std::string_view::npos)
            break;
        if (text[end] == '/') {
            const std::size_t previous = rows.size() - 1;
            if (previous > 0 && rows[previous].size() != rows[0].size())
                break; // told below
            rows.emplace_back();
        }
        at = end + 1;
        if (at == text.size())
            return {std::nullopt, "Row " + std::to_string(rows.size()) + " is empty."}; // a final "/"
    }
    const std::size_t width = rows[0].size();
    for (std::size_t row = 1; row < rows.size(); ++row) {
        if (rows[row].size() != width)
            return {std::nullopt, "Row " + std::to_string(row + 1) + " has " + counted(static_cast<long long>(rows[row].size()), "tile", "tiles")
                                      + ", row 1 has " + std::to_string(width) + "."};
    }
    const auto height = static_cast<int>(rows.size());
    if (!isAdmittedBoardSize(static_cast<int>(width), height))
        return {std::nullopt, "A board of " + std::to_string(width) + " \u00D7 " + std::to_string(height)
                                  + " tiles is too large. Boards hold at most 682 tiles across or down and 32767 tiles in all."};

    const int places = static_cast<int>(width) * height;
    std::vector<bool> seen(static_cast<std::size_t>(places), false);
    std::vector<std::string> captions;
    captions.reserve(static_cast<std::size_t>(places));
    for (const std::vector<int>& row : rows) {
        for (const int number : row) {
            if (number >= places)
                return {std::nullopt, "Tile " + std::to_string(number) + " cannot be on a board of "
                                          + counted(places, "place", "places") + ": its tiles are 1 to "
                                          + std::to_string(places - 1) + ", and 0 for the blank."};
            if (seen[static_cast<std::size_t>(number)])
                return {std::nullopt, number == 0 ? std::string("The blank, 0, appears twice.")
                                                  : "Tile " + std::to_string(number) + " appears twice."};
            seen[static_cast<std::size_t>(number)] = true;
            captions.push_back(number == 0 ? std::string() : std::to_string(number));
        }
    }
    return {Board(static_cast<int>(width), height, std::move(captions)), {}};
}

} // namespace vantirelle
