#pragma once

#include "solver/plan.h"
#include "solver/puzzle.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QTimer;

namespace vantirelle {

class Board;
class Prompts;
class SolutionSearch;

// Hint and Solve: finds a plan for the board in play (away from the game's thread where that
// takes a while), points at the plan's next tile, or plays the plan out until any click or
// key stops it. The window tells it of every change to the board, so a plan the player
// follows is kept and one the player leaves is made afresh.
class HelpController : public QObject {
    Q_OBJECT

public:
    // What help needs of the game window.
    struct Window {
        std::function<const Board&()> board;
        std::function<void(int place)> slide;      // a move, as a click makes it
        std::function<void(int place)> pointAt;    // the focus frame to a tile, and a flash
        std::function<void(const QString& text)> showProgress; // empty: the moves label again
    };

    HelpController(Prompts* prompts, Window window, QObject* parent = nullptr);
    ~HelpController() override;

    // H: points at the tile to move next; pressed again while it points, makes the move.
    void hint();
    // Ctrl+H: plays the rest of a solution out.
    void solve();
    void stopSolving();
    bool isSolving() const { return m_solving; }
    bool isWaiting() const { return m_waitingForPlan; }
    // The tile a hint points at on the board as it stands, or -1.
    int hintedPlace() const { return m_hintVersion == m_version ? m_hintPlace : -1; }

    // The board changed by these moves (the tiles in the order they slid), or, with none,
    // in some other way (undo, restart, a new board): a plan is kept only while its moves
    // are the ones made. A board of up to 16 places that changed other than by a move is
    // planned for at once, quietly, so that its first hint is ready when asked for.
    void boardChanged(const std::vector<int>& movedTiles = {});

    // A search or table build must report for this long before the player sees its progress.
    static constexpr int ProgressAfterMilliseconds = 300;

signals:
    // Help was given for the board in play: a hint shown, or Solve begun.
    void helped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<Puzzle> puzzleForHelp();
    void help(bool play);
    void requestPlan(const Puzzle& puzzle, bool play);
    void planAhead();
    void planFound(std::uint64_t ticket, const std::vector<std::int16_t>& moves);
    void searchFailed(std::uint64_t ticket, const QString& why);
    void progress(int percent);
    void showHint();
    void startPlaying();
    void playStep();
    int placeOfTile(int tile) const;

    Prompts* m_prompts;
    Window m_window;

    // The board's version rises with every change; a plan is good for the version it was
    // made or last followed at, and a hint for the version it was shown at.
    std::uint64_t m_version = 0;
    std::optional<Plan> m_plan;
    std::uint64_t m_planVersion = 0;
    int m_hintPlace = -1;
    std::uint64_t m_hintVersion = ~std::uint64_t{0};
    bool m_waitingForPlan = false;
    // A search for the board in play that nobody has asked for yet (see boardChanged).
    bool m_planningAhead = false;
    bool m_playWhenFound = false;
    QElapsedTimer m_waited;
    bool m_solving = false;
    QTimer* m_solveTimer = nullptr;
    int m_movesPerStep = 1;
    SolutionSearch* m_search = nullptr;
};

} // namespace vantirelle
