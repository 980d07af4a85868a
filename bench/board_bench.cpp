// Benchmarks of the game through its real window, beside the obvious design of one
// QPushButton per tile. Prints Google Benchmark's table, then a summary with the ratios
// and the memory a board takes.
#include "resident.h"
#include "board/random.h"
#include "savegame/readfile.h"
#include "savegame/writefile.h"
#include "window/boardview.h"
#include "window/gamewindow.h"
#include "window/prompts.h"
#include "window/services.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace vantirelle;

namespace {

class SilentPrompts : public Prompts {
public:
    QMessageBox::StandardButton message(QMessageBox::Icon, const QString&, QMessageBox::StandardButtons) override
    {
        return QMessageBox::Ok;
    }
    void beep() override {}
};

struct Game {
    SilentPrompts prompts;
    PrimaryScreen screen;
    TimeSeededRandom random;
    std::unique_ptr<GameWindow> window;

    Game()
    {
        GameServices services;
        services.prompts = &prompts;
        services.screen = &screen;
        services.random = &random;
        window = std::make_unique<GameWindow>(services);
        window->show();
        QApplication::processEvents();
    }
};

void BM_NewBoard(benchmark::State& state)
{
    Game game;
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    for (auto _ : state) {
        game.window->newGame(width, height); // dealt, laid out, the window sized
        QApplication::processEvents();       // and painted
    }
    state.counters["tiles"] = width * height;
}

void BM_ReferenceButtons(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    for (auto _ : state) {
        auto* frame = new QGroupBox(QStringLiteral("Reference"));
        for (int i = 0; i < width * height; ++i) {
            auto* button = new QPushButton(QString::number(i + 1), frame);
            button->setGeometry(8 + (i % width) * 48, 16 + (i / width) * 48, 48, 48);
        }
        frame->resize(width * 48 + 16, height * 48 + 24);
        frame->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete frame;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["tiles"] = width * height;
}

// The tile beside the blank in the bottom-right corner slides back and forth.
void slideBackAndForth(benchmark::State& state, bool window, bool paint)
{
    Game game;
    game.window->newGame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int last = game.window->board().places() - 1;
    Board board = game.window->board();
    for (auto _ : state) {
        const int blank = (window ? game.window->board() : board).blanks().front();
        const int clicked = blank == last ? last - 1 : last;
        if (window)
            game.window->slide(clicked); // the click: the move, the label, the win test, the glide
        else
            benchmark::DoNotOptimize(board.slide(clicked));
        if (paint)
            QApplication::processEvents();
    }
}

void BM_Slide(benchmark::State& state) { slideBackAndForth(state, true, false); }
void BM_SlideWithoutWinTest(benchmark::State& state) { slideBackAndForth(state, false, false); }
void BM_SlidePainted(benchmark::State& state) { slideBackAndForth(state, true, true); }

void BM_CheckForWin(benchmark::State& state)
{
    Game game;
    game.window->newGame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(game.window->board().isSolved());
}

void BM_WriteGameFile(benchmark::State& state)
{
    Game game;
    game.window->newGame(181, 181);
    QTemporaryDir dir;
    const QString path = dir.filePath("big.vts");
    for (auto _ : state) {
        if (!writeGameFile(path, game.window->board()).isEmpty())
            state.SkipWithError("save failed");
    }
}

void BM_ReadGameFile(benchmark::State& state)
{
    Game game;
    game.window->newGame(181, 181);
    QTemporaryDir dir;
    const QString path = dir.filePath("big.vts");
    writeGameFile(path, game.window->board());
    for (auto _ : state) {
        OpenedGame opened = readGameFile(QFileInfo(path).filesystemFilePath());
        if (!opened.board) {
            state.SkipWithError("open failed");
            break;
        }
        game.window->playOpenedGame(std::move(*opened.board));
        QApplication::processEvents();
    }
}

void BM_StartUp(benchmark::State& state)
{
    for (auto _ : state) {
        Game game; // the window built with its first board and shown
        state.PauseTiming();
        game.window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void boardSizes(benchmark::internal::Benchmark* b)
{
    b->Args({3, 3})->Args({8, 8})->Args({37, 20})->Args({181, 181})->Args({682, 48});
}

// The reference's sizes, with our view at the same sizes for the ratio.
void referenceSizes(benchmark::internal::Benchmark* b)
{
    b->Args({37, 20})->Args({64, 64})->Args({160, 125});
}

BENCHMARK(BM_NewBoard)->Apply(boardSizes)->Args({64, 64})->Args({160, 125})->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReferenceButtons)->Apply(referenceSizes)->Unit(benchmark::kMillisecond)->Iterations(3)
    ->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Slide)->Apply(boardSizes)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SlideWithoutWinTest)->Apply(boardSizes)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SlidePainted)->Args({3, 3})->Args({181, 181})->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CheckForWin)->Apply(boardSizes)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WriteGameFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadGameFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Keeps each benchmark's median so the summary can set ours against the reference.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> medians; // in each benchmark's own unit
};

struct Memory {
    long small = 0, large = 0;
};

// Measured first, in a fresh process, so the allocator has no memory of earlier boards.
Memory measureMemory()
{
    Memory memory;
    Game game;
    game.window->newGame(3, 3);
    QApplication::processEvents();
    memory.small = residentBytes();
    game.window->newGame(181, 181);
    QApplication::processEvents();
    memory.large = residentBytes();
    return memory;
}

void printSummary(const MedianReporter& reporter, const Memory& memory)
{
    auto median = [&](const std::string& name) {
        const auto found = reporter.medians.find(name);
        return found == reporter.medians.end() ? -1.0 : found->second;
    };
    std::printf("\nBoard built and shown: this view against one QPushButton per tile (medians, ms)\n");
    std::printf("%-10s %8s %12s %14s %8s\n", "size", "tiles", "view", "QPushButtons", "ratio");
    for (const auto& [w, h] : {std::pair{37, 20}, std::pair{64, 64}, std::pair{160, 125}}) {
        const std::string size = std::to_string(w) + "/" + std::to_string(h);
        const double ours = median("BM_NewBoard/" + size);
        const double reference = median("BM_ReferenceButtons/" + size);
        std::printf("%-10s %8d %12.2f %14.2f %7.0fx\n", size.c_str(), w * h, ours, reference,
                    ours > 0 ? reference / ours : 0.0);
    }

    const double slide3 = median("BM_Slide/3/3");
    std::printf("\nOne slide with its win test against 3x3 (medians, us)\n");
    for (const char* size : {"3/3", "181/181", "682/48"}) {
        const double slide = median(std::string("BM_Slide/") + size);
        std::printf("%-10s %10.2f %7.2fx\n", size, slide, slide3 > 0 ? slide / slide3 : 0.0);
    }
    const double open = median("BM_ReadGameFile/");
    const double build = median("BM_NewBoard/181/181");
    std::printf("\nOpening a 181x181 game: %.2f ms, building a new 181x181 board: %.2f ms, ratio %.2f\n", open, build,
                build > 0 ? open / build : 0.0);

    std::printf("\nResident memory: 3x3 board %.1f MB, 181x181 board %.1f MB, difference %.2f MB\n",
                static_cast<double>(memory.small) / 1e6, static_cast<double>(memory.large) / 1e6,
                static_cast<double>(memory.large - memory.small) / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns about every fixed-size window; that is noise here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "Warning: " : "", qPrintable(message));
    });
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const Memory memory = measureMemory();
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter, memory);
    benchmark::Shutdown();
    return 0;
}
