// vantirelle-solve [--letters] FILE.vts | --board TEXT: reads a saved game with the game's
// own reader, or a board written as text, and prints how to solve it: "optimal N" when the
// solution is proven shortest or "moves N" otherwise, then the captions of the tiles to
// click in order (or, with --letters, the way each tile moves: U, D, L, R, with counts).
// An unsolvable board prints "unsolvable" (status 1); a damaged file, a board that is not
// standard or a text that is no board is reported on standard error (status 2).
#include "board/boardtext.h"
#include "savegame/readfile.h"
#include "solver/solver.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

using namespace vantirelle;

namespace {

int usage(const char* program)
{
    std::fprintf(stderr, "usage: %s [--letters] FILE.vts\n       %s [--letters] --board TEXT\n", program, program);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "vantirelle-solve";
    bool letters = false;
    const char* file = nullptr;
    const char* text = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--letters") == 0)
            letters = true;
        else if (std::strcmp(argv[i], "--board") == 0 && i + 1 < argc && !text)
            text = argv[++i];
        else if (!file && argv[i][0] != '-')
            file = argv[i];
        else
            return usage(program);
    }
    if ((file != nullptr) == (text != nullptr))
        return usage(program);
    try {
        std::optional<Puzzle> puzzle;
        if (text) {
            const ReadBoard read = readBoardText(text);
            if (!read.board) {
                std::fprintf(stderr, "%s\n\n%s\n", read.error.c_str(), std::string(BoardTextFormat).c_str());
                return 2;
            }
            puzzle = standardPuzzle(*read.board);
        } else {
            const OpenedGame opened = readGameFile(file);
            if (!opened.board) {
                std::fprintf(stderr, "\"%s\" is not a saved game that can be opened. %s\n", file, opened.error.c_str());
                return 2;
            }
            puzzle = standardPuzzle(*opened.board);
            if (!puzzle) {
                std::fprintf(stderr, "\"%s\": hints need tiles numbered 1 to N with one blank.\n", file);
                return 2;
            }
        }
        if (!isSolvable(*puzzle)) {
            std::puts("unsolvable");
            return 1;
        }
        SearchBudget budget;
        budget.deadline = std::chrono::steady_clock::now() + CommandLineDeadline;
        const Solution solution = solve(*puzzle, budget);
        std::string out = (solution.optimal ? "optimal " : "moves ") + std::to_string(solution.moves.size()) + "\n";
        if (letters) {
            out += movesAsLetters(*puzzle, solution.moves);
        } else {
            for (std::size_t i = 0; i < solution.moves.size(); ++i) {
                if (i > 0)
                    out += ' ';
                out += std::to_string(solution.moves[i]);
                if (out.size() > (1 << 20)) {
                    std::fwrite(out.data(), 1, out.size(), stdout);
                    out.clear();
                }
            }
        }
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantirelle-solve: %s\n", error.what());
        return 2;
    }
}
