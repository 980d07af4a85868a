#pragma once

#include "board/game.h"
#include "board/layout.h"
#include "board/statistics.h"
#include "window/services.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTimer;

namespace vantirelle {

class BoardFrame;
class SpokenLabel;
class BoardView;
class HelpController;
class StatisticsWindow;

// The game window: the board in its frame with the moves label below it, the custom
// size panel that takes the board's place, and the Game and About menus. It owns the
// game in play; the board view draws it and hands clicks back as moves.
class GameWindow : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window with its first board, a shuffled 3 x 3, ready to show.
    explicit GameWindow(const GameServices& services, QWidget* parent = nullptr);
    ~GameWindow() override;

    const Game& game() const { return *m_game; }
    const Board& board() const { return m_game->board(); }
    BoardView* boardView() const { return m_view; }

    // The New Game sizes: 3 x 3 to 8 x 8, then "Custom...".
    static constexpr int SizeItems = 7;
    static constexpr int CustomSizeItem = 6;

    // The commands, as the menus, keys and buttons reach them.
    void slide(int place);
    void slideLine(int place);             // a click with Shift
    void slideToward(Direction direction); // an arrow key
    void undo();
    void redo();
    void restart();
    // Hint points at the tile to move next (and, pressed again, moves it); Solve plays
    // the rest of a solution out until any click or key stops it.
    void hint();
    void solve();
    void stopSolving();
    bool isSolving() const;
    int hintedPlace() const; // the tile a hint points at, or -1
    void chooseBoardSize(int item); // asks "Begin New Game?" first
    void startCustomGame();
    void newGame(int width, int height);
    void saveGame();
    void openGame();
    // The board as text on the clipboard, and a board from the clipboard's text, as Open
    // plays a file's.
    void copyBoard();
    void pasteBoard();
    void showStatistics();
    StatisticsWindow* statisticsWindow() const { return m_statisticsWindow; }
    const SessionStatistics& statistics() const { return m_statistics; }
    void quit();
    void showAbout();

    // Plays a game that was read elsewhere, as Open does once the file has been read.
    void playOpenedGame(Board board);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QRect twips(float left, float top, float width, float height) const;
    // Puts a board on screen: frame, label and window sized for it, repainted once. A board
    // that was not dealt (opened or pasted) counts as assisted in the statistics.
    void showBoard(Board board, bool dealt);
    std::int64_t now() const;
    void statisticsChanged();
    void moveMade(const std::optional<Slide>& made);
    void afterMove(const Slide& slide);
    void updateActions();
    void showProgress(const QString& text);
    void updateMovesLabel();
    void fitFonts();
    void tickSizeItem(int item);
    void applyWindowSize();
    void keepOnScreen();
    template <typename Command>
    void guarded(Command&& command);

    GameServices m_services;
    TwipsPerPixel m_scale;
    std::optional<Game> m_game;
    std::optional<BoardLayout> m_layout;
    QString m_lastFileName; // the file dialogs start from the name chosen last

    HelpController* m_help = nullptr;
    SessionStatistics m_statistics;
    StatisticsWindow* m_statisticsWindow = nullptr;
    bool m_copyable = false; // the board's captions are 1 to N-1 and one blank

    QWidget* m_client = nullptr;
    QSize m_shownSize; // the window's size when it was last shown
    QScrollArea* m_scroller = nullptr;
    QWidget* m_canvas = nullptr;
    QGroupBox* m_customPanel = nullptr;
    QScrollBar* m_customWidth = nullptr;
    QScrollBar* m_customHeight = nullptr;
    QLabel* m_customWidthLabel = nullptr;
    QLabel* m_customHeightLabel = nullptr;
    QPushButton* m_newCustomGame = nullptr;
    BoardFrame* m_frame = nullptr;
    BoardView* m_view = nullptr;
    SpokenLabel* m_movesLabel = nullptr;

    QMenu* m_gameMenu = nullptr;
    QMenu* m_newGameMenu = nullptr;
    std::array<QAction*, SizeItems> m_sizeItems{};
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_restart = nullptr;
    QAction* m_hint = nullptr;
    QAction* m_solve = nullptr;
    QAction* m_copy = nullptr;
    std::array<QAction*, 4> m_arrows{};
};

} // namespace vantirelle
