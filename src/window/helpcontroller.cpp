#include "window/helpcontroller.h"

#include "board/board.h"
#include "solver/solver.h"
#include "window/prompts.h"
#include "window/solutionsearch.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>

namespace vantirelle {

HelpController::HelpController(Prompts* prompts, Window window, QObject* parent)
    : QObject(parent), m_prompts(prompts), m_window(std::move(window))
{
    m_search = new SolutionSearch(this);
    connect(m_search, &SolutionSearch::found, this, &HelpController::planFound);
    connect(m_search, &SolutionSearch::failed, this, &HelpController::searchFailed);
    connect(m_search, &SolutionSearch::progress, this, &HelpController::progress);
    m_solveTimer = new QTimer(this);
    connect(m_solveTimer, &QTimer::timeout, this, &HelpController::playStep);
}

HelpController::~HelpController()
{
    // Any search still running stops before the game it was for goes.
    delete m_search;
    m_search = nullptr;
    if (m_solving)
        qApp->removeEventFilter(this);
}

bool HelpController::eventFilter(QObject* watched, QEvent* event)
{
    if (m_solving
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress
            || event->type() == QEvent::ShortcutOverride))
        stopSolving(); // and the click or key does what it does
    return QObject::eventFilter(watched, event);
}

void HelpController::boardChanged(const std::vector<int>& movedTiles)
{
    // Moves the plan had next keep the plan; anything else leaves it behind.
    bool followed = m_plan && m_planVersion == m_version && !movedTiles.empty();
    for (const int tile : movedTiles) {
        if (!followed)
            break;
        followed = m_plan->next() == tile;
        if (followed)
            m_plan->advance();
    }
    ++m_version;
    if (followed) {
        m_planVersion = m_version;
    } else {
        m_plan.reset();
        if (m_solving)
            stopSolving();
    }
    if (m_waitingForPlan || m_planningAhead)
        m_search->cancel();
    if (m_waitingForPlan)
        m_window.showProgress(QString());
    m_waitingForPlan = false;
    m_planningAhead = false;
    m_hintPlace = -1;
    if (movedTiles.empty())
        planAhead();
}

void HelpController::planAhead()
{
    // Shortest solutions take a few milliseconds on most boards of up to 16 places and up to
    // about a second on a few 4 x 4 ones: searched from the moment the board is dealt, opened
    // or put back, the first hint is there by the time a player asks for it. Only after such
    // changes, not after every move, so that play does not keep a core busy. Whatever is
    // wrong with the board is told when help is asked for, not now.
    const Board& board = m_window.board();
    if (board.width() * board.height() > MaximumOptimalPlaces)
        return; // not read at all: undo on a board of thousands of tiles stays quick
    const std::optional<Puzzle> puzzle = standardPuzzle(board);
    if (!puzzle || !isSolvable(*puzzle) || puzzle->isGoal() || methodFor(*puzzle) != Method::Shortest)
        return;
    m_planningAhead = true;
    m_search->start(*puzzle, m_version);
}

std::optional<Puzzle> HelpController::puzzleForHelp()
{
    std::optional<Puzzle> puzzle = standardPuzzle(m_window.board());
    if (!puzzle) {
        m_prompts->message(QMessageBox::Information, QStringLiteral("Hints need tiles numbered 1 to N with one blank."));
        return std::nullopt;
    }
    if (!isSolvable(*puzzle)) {
        const bool line = puzzle->width == 1 || puzzle->height == 1;
        m_prompts->message(QMessageBox::Information,
                           line ? QStringLiteral("This board cannot be solved: its tiles are out of order in a single "
                                                 "line, where they cannot pass each other.")
                                : QStringLiteral("This board cannot be solved: two tiles are swapped."));
        return std::nullopt;
    }
    if (puzzle->isGoal()) {
        m_prompts->message(QMessageBox::Information, QStringLiteral("The tiles are in order already."));
        return std::nullopt;
    }
    return puzzle;
}

int HelpController::placeOfTile(int tile) const
{
    // A plan's next tile is always beside a blank.
    const Board& board = m_window.board();
    const std::string caption = std::to_string(tile);
    for (const int blank : board.blanks()) {
        const int row = board.row(blank);
        const int column = board.column(blank);
        const int next[4] = {column > 0 ? blank - 1 : -1, column < board.width() - 1 ? blank + 1 : -1,
                             row > 0 ? blank - board.width() : -1, row < board.height() - 1 ? blank + board.width() : -1};
        for (const int place : next) {
            if (place >= 0 && board.caption(place) == caption)
                return place;
        }
    }
    return -1;
}

void HelpController::hint()
{
    if (hintedPlace() >= 0) {
        m_window.slide(m_hintPlace); // H once more makes the move
        return;
    }
    help(false);
}

void HelpController::solve()
{
    help(true);
}

void HelpController::help(bool play)
{
    const std::optional<Puzzle> puzzle = puzzleForHelp();
    if (!puzzle)
        return;
    if (m_plan && m_planVersion == m_version) {
        play ? startPlaying() : showHint();
        return;
    }
    // A plan on its way serves whichever was asked for last.
    if (m_waitingForPlan) {
        m_playWhenFound = play;
    } else if (m_planningAhead) {
        m_planningAhead = false;
        m_waitingForPlan = true;
        m_playWhenFound = play;
        m_waited.start();
    } else {
        requestPlan(*puzzle, play);
    }
}

void HelpController::requestPlan(const Puzzle& puzzle, bool play)
{
    m_playWhenFound = play;
    if (methodFor(puzzle) == Method::Construction) {
        // Made as it goes, each move in well under a millisecond: no need to wait.
        m_plan.emplace(puzzle);
        m_planVersion = m_version;
        play ? startPlaying() : showHint();
        return;
    }
    m_waitingForPlan = true;
    m_waited.start();
    m_search->start(puzzle, m_version);
}

void HelpController::progress(int percent)
{
    // Shown in the moves label once the wait is long enough to notice; any move takes it back.
    if (m_waitingForPlan && m_waited.elapsed() >= ProgressAfterMilliseconds)
        m_window.showProgress(QStringLiteral("Preparing hints... %1%").arg(percent));
}

void HelpController::planFound(std::uint64_t ticket, const std::vector<std::int16_t>& moves)
{
    if (ticket != m_version)
        return; // the board has changed since it was asked for
    if (m_planningAhead) {
        m_planningAhead = false;
        m_plan.emplace(moves);
        m_planVersion = m_version;
        return;
    }
    if (!m_waitingForPlan)
        return;
    m_waitingForPlan = false;
    m_window.showProgress(QString());
    m_plan.emplace(moves);
    m_planVersion = m_version;
    m_playWhenFound ? startPlaying() : showHint();
}

void HelpController::searchFailed(std::uint64_t ticket, const QString& why)
{
    if (ticket == m_version)
        m_planningAhead = false; // asked for, the search runs again and tells why it failed
    if (ticket != m_version || !m_waitingForPlan)
        return;
    m_waitingForPlan = false;
    m_window.showProgress(QString());
    m_prompts->message(QMessageBox::Warning, QStringLiteral("No solution was found: %1").arg(why));
}

void HelpController::showHint()
{
    const std::optional<std::int16_t> tile = m_plan->next();
    const int place = tile ? placeOfTile(*tile) : -1;
    if (place < 0)
        return;
    m_window.pointAt(place);
    m_hintPlace = place;
    m_hintVersion = m_version;
    emit helped();
}

void HelpController::startPlaying()
{
    // About four seconds for a 4 x 4's fifty moves; longer solutions play faster, several
    // moves a step, to end within a minute or so.
    const std::size_t left = std::max<std::size_t>(1, m_plan->remaining());
    const int interval = static_cast<int>(std::clamp<std::size_t>(4000 / left, 16, 150));
    m_movesPerStep = static_cast<int>(std::max<std::size_t>(1, left / 250));
    m_solving = true;
    qApp->installEventFilter(this); // any click or key stops it
    m_solveTimer->start(interval);
    emit helped();
}

void HelpController::playStep()
{
    for (int step = 0; step < m_movesPerStep && m_solving; ++step) {
        const std::optional<std::int16_t> tile = m_plan && m_planVersion == m_version ? m_plan->next() : std::nullopt;
        const int place = tile ? placeOfTile(*tile) : -1;
        if (place < 0) {
            stopSolving();
            return;
        }
        m_window.slide(place);
    }
}

void HelpController::stopSolving()
{
    if (!m_solving)
        return;
    m_solving = false;
    m_solveTimer->stop();
    qApp->removeEventFilter(this);
}

} // namespace vantirelle
