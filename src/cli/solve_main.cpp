// vantirelle-solve FILE.vts: reads a saved game with the game's own reader and prints how
// to solve it: "optimal N" when the solution is proven shortest or "moves N" otherwise,
// then the captions of the tiles to click, in order. An unsolvable board prints
// "unsolvable" (status 1); a damaged file or a board that is not standard is reported on
// standard error (status 2).
#include "savegame/readfile.h"
#include "solver/solver.h"

#include <cstdio>
#include <string>

using namespace vantirelle;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.vts\n", argc > 0 ? argv[0] : "vantirelle-solve");
        return 2;
    }
    try {
        const OpenedGame opened = readGameFile(argv[1]);
        if (!opened.board) {
            std::fprintf(stderr, "\"%s\" is not a saved game that can be opened. %s\n", argv[1], opened.error.c_str());
            return 2;
        }
        const std::optional<Puzzle> puzzle = standardPuzzle(*opened.board);
        if (!puzzle) {
            std::fprintf(stderr, "\"%s\": hints need tiles numbered 1 to N with one blank.\n", argv[1]);
            return 2;
        }
        if (!isSolvable(*puzzle)) {
            std::puts("unsolvable");
            return 1;
        }
        const Solution solution = solve(*puzzle);
        std::string out = (solution.optimal ? "optimal " : "moves ") + std::to_string(solution.moves.size()) + "\n";
        for (std::size_t i = 0; i < solution.moves.size(); ++i) {
            if (i > 0)
                out += ' ';
            out += std::to_string(solution.moves[i]);
            if (out.size() > (1 << 20)) {
                std::fwrite(out.data(), 1, out.size(), stdout);
                out.clear();
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
