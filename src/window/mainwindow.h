#pragma once

#include "board/board.h"
#include "savegame/gamefileio.h"
#include "window/qtboardhost.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QScrollBar;

namespace vantirelle {

class BoardView;
class Prompts;
class RandomSource;
class ScreenSource;

// What the game window needs from the world outside; tests pass fakes.
struct GameServices {
    Prompts* prompts = nullptr;
    ScreenSource* screen = nullptr;
    RandomSource* random = nullptr;
    FileDialogs* dialogs = nullptr;
    std::function<void()> showAbout; // the About command
};

// The game window: its controls, menus and command handlers.
class frmVantirelle : public QMainWindow {
    Q_OBJECT

public:
    explicit frmVantirelle(const GameServices& services, QWidget* parent = nullptr);
    ~frmVantirelle() override;

    // Start-up: the custom sizes' maxima from the screen, then the first 3 by 3 board.
    void Form_Load();

    void btnSlide_Click(int Index);
    void mnuBoardWidth_Click(int Index);
    void hsbSetWidth_Change();
    void hsbSetHeight_Change();
    void cmdNewCustomGame_Click();
    void mnuQuit_Click();
    void mnuAbout_Click();
    void mnuSave_Click();
    void mnuLoad_Click();

    Board& board() { return m_board; }
    QtBoardHost& host() { return *m_host; }

    // Controls, named as the rest of the game refers to them.
    QScrollArea* scroller = nullptr;
    QWidget* canvas = nullptr;
    QGroupBox* CustomFrame = nullptr;
    QScrollBar* hsbSetHeight = nullptr;
    QScrollBar* hsbSetWidth = nullptr;
    QPushButton* cmdNewCustomGame = nullptr;
    QLabel* lblCustomGameWidth = nullptr;
    QLabel* lblCustomGameHeight = nullptr;
    QGroupBox* GameFrame = nullptr;
    BoardView* btnSlide = nullptr;
    QLabel* lblMoves = nullptr;

    QMenu* mnuGame = nullptr;
    QMenu* smnuBoardWidth = nullptr;
    std::array<QAction*, 7> mnuBoardWidth{};
    QAction* mnuLoad = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuQuit = nullptr;
    QAction* mnuAbout = nullptr;

    // The file dialogs' shared state: the last name chosen and the pattern offered.
    struct CommonDialog {
        QString DialogTitle;
        QString FileName;
        QString Filter = QStringLiteral("*.vts");
    } cmdBox;

private:
    void buildControls();
    void buildMenus();
    QRect twipsRect(float left, float top, float width, float height) const;
    void startNewBoard();
    // Runs a command; an error from the rules is shown to the player, never passed to Qt.
    void guarded(const std::function<void()>& command);

    std::unique_ptr<QtBoardHost> createHost();

    GameServices m_services;
    std::unique_ptr<QtBoardHost> m_host; // made once the controls exist
    Board m_board;
};

} // namespace vantirelle
