#include "window/gamewindow.h"

#include "board/random.h"
#include "board/texts.h"
#include "savegame/readfile.h"
#include "savegame/writefile.h"
#include "window/boardframe.h"
#include "window/boardview.h"
#include "board/boardtext.h"
#include "window/helpcontroller.h"
#include "window/prompts.h"
#include "window/spokenlabel.h"
#include "window/statisticswindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <new>

namespace vantirelle {

namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString extensionAdded(const QString& name)
{
    return name.endsWith(QLatin1String(".vts"), Qt::CaseSensitive) ? name : name + QLatin1String(".vts");
}

// A font one step smaller, in points where it has them and in pixels otherwise; false
// when it is as small as a caption may go.
bool shrink(QFont& font)
{
    constexpr qreal SmallestPoints = 6.0;
    if (font.pointSizeF() > 0) {
        if (font.pointSizeF() <= SmallestPoints)
            return false;
        font.setPointSizeF(std::max(SmallestPoints, font.pointSizeF() - 0.25));
        return true;
    }
    if (font.pixelSize() <= 8)
        return false;
    font.setPixelSize(font.pixelSize() - 1);
    return true;
}

// A scroll area that leaves keeping the focus in view to the board, which knows where
// its focused tile is: Qt's own would centre the whole board, however large.
class BoardScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

} // namespace

GameWindow::GameWindow(const GameServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_scale(services.screen->twipsPerPixel())
{
    buildControls();
    buildMenus();
    HelpController::Window helpWindow;
    helpWindow.board = [this]() -> const Board& { return board(); };
    helpWindow.slide = [this](int place) { slide(place); };
    helpWindow.pointAt = [this](int place) {
        m_view->setFocus(Qt::OtherFocusReason);
        m_view->setFocusPlace(place);
        m_view->flashTile(place);
    };
    helpWindow.showProgress = [this](const QString& text) { showProgress(text); };
    m_help = new HelpController(m_services.prompts, std::move(helpWindow), this);
    connect(m_help, &HelpController::helped, this, [this] {
        m_statistics.assist();
        statisticsChanged();
    });

    // The custom sizes offered: whole tiles across and down the screen, less 3.
    const QSize pixels = m_services.screen->sizePixels();
    m_customWidth->setMaximum(customSizeMaximum(pixels.width() * static_cast<double>(m_scale.x), m_scale.x));
    m_customHeight->setMaximum(customSizeMaximum(pixels.height() * static_cast<double>(m_scale.y), m_scale.y));

    showBoard(Board::dealt(3, 3, *m_services.random), true);
}

GameWindow::~GameWindow()
{
    // Any search still running stops before the game it was for goes.
    delete m_help;
    m_help = nullptr;
    delete m_statisticsWindow; // a window of its own, shown beside the game
    m_statisticsWindow = nullptr;
    // The view points into the game; let it go first.
    delete m_view;
    m_view = nullptr;
}

QRect GameWindow::twips(float left, float top, float width, float height) const
{
    const PixelRect r = twipsRect(left, top, width, height, m_scale);
    return QRect(r.x, r.y, r.width, r.height);
}

void GameWindow::buildControls()
{
    setObjectName(QStringLiteral("gameWindow"));
    setWindowTitle(QStringLiteral("Vantirelle!"));
    // A fixed window with a minimize button and no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    m_scroller = new BoardScrollArea(m_client);
    m_scroller->setObjectName(QStringLiteral("scroller"));
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setWidgetResizable(false);
    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("canvas"));
    m_scroller->setWidget(m_canvas);

    // The custom size panel lies under the board's frame; one of the two shows at a time.
    m_customPanel = new QGroupBox(QStringLiteral("Custom Game"), m_canvas);
    m_customPanel->setObjectName(QStringLiteral("customPanel"));
    m_customPanel->setGeometry(twips(240, 0, 2415, 2415));
    m_customPanel->hide();
    // The panel's controls have fixed sizes measured for an 8-point face; keep larger desktop fonts inside them.
    if (QFont face = m_customPanel->font(); face.pointSizeF() > 8.25) {
        face.setPointSizeF(8.25);
        m_customPanel->setFont(face);
    }

    auto makeScrollBar = [this](const char* name, float top) {
        auto* bar = new QScrollBar(Qt::Horizontal, m_customPanel);
        bar->setObjectName(QLatin1String(name));
        bar->setGeometry(twips(120, top, 2175, 375));
        bar->setRange(3, 32);
        bar->setValue(3);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setTracking(false); // the value changes when the thumb is let go, not while it is dragged
        bar->setFocusPolicy(Qt::StrongFocus); // and arrows, Page Up, Page Down, Home and End move it
        // Scroll bars invert their keys for vertical use; across, Right and Page Up go up.
        bar->setInvertedControls(false);
        bar->installEventFilter(this);
        return bar;
    };
    m_customHeight = makeScrollBar("customHeight", 1440);
    m_customWidth = makeScrollBar("customWidth", 600);

    m_newCustomGame = new QPushButton(QStringLiteral("New Custom Game"), m_customPanel);
    m_newCustomGame->setObjectName(QStringLiteral("newCustomGame"));
    m_newCustomGame->setGeometry(twips(360, 1920, 1695, 375));

    m_customWidthLabel = new QLabel(fromUtf8(customWidthText(3)), m_customPanel);
    m_customWidthLabel->setObjectName(QStringLiteral("customWidthLabel"));
    m_customWidthLabel->setGeometry(twips(360, 240, 1815, 255));
    m_customHeightLabel = new QLabel(fromUtf8(customHeightText(3)), m_customPanel);
    m_customHeightLabel->setObjectName(QStringLiteral("customHeightLabel"));
    m_customHeightLabel->setGeometry(twips(360, 1080, 1815, 255));
    // Named for what they set, not after the panel around them; each label reads its value.
    m_customWidth->setAccessibleName(QStringLiteral("Custom Width"));
    m_customHeight->setAccessibleName(QStringLiteral("Custom Height"));
    m_customWidthLabel->setBuddy(m_customWidth);
    m_customHeightLabel->setBuddy(m_customHeight);

    m_frame = new BoardFrame(m_canvas);
    m_frame->setObjectName(QStringLiteral("frame"));

    m_view = new BoardView(m_frame);

    m_movesLabel = new SpokenLabel(m_client);
    m_movesLabel->setObjectName(QStringLiteral("movesLabel"));

    setTabOrder(m_view, m_newCustomGame);
    setTabOrder(m_newCustomGame, m_customWidth);
    setTabOrder(m_customWidth, m_customHeight);

    connect(m_view, &BoardView::tileClicked, this, &GameWindow::slide);
    connect(m_view, &BoardView::lineClicked, this, &GameWindow::slideLine);
    connect(m_view, &BoardView::focusRectChanged, this, [this](const QRect& rect) {
        const QPoint centre = m_view->mapTo(m_canvas, rect.center());
        m_scroller->ensureVisible(centre.x(), centre.y(), rect.width() / 2 + 8, rect.height() / 2 + 8);
    });
    connect(m_customWidth, &QScrollBar::valueChanged, this,
            [this](int value) { m_customWidthLabel->setText(fromUtf8(customWidthText(value))); });
    connect(m_customHeight, &QScrollBar::valueChanged, this,
            [this](int value) { m_customHeightLabel->setText(fromUtf8(customHeightText(value))); });
    connect(m_newCustomGame, &QPushButton::clicked, this, &GameWindow::startCustomGame);
}

void GameWindow::buildMenus()
{
    m_gameMenu = menuBar()->addMenu(QStringLiteral("&Game"));
    m_gameMenu->setObjectName(QStringLiteral("gameMenu"));
    m_newGameMenu = m_gameMenu->addMenu(QStringLiteral("&New Game"));
    m_newGameMenu->setObjectName(QStringLiteral("newGameMenu"));
    for (int item = 0; item < SizeItems; ++item) {
        const QString text = item == CustomSizeItem ? QStringLiteral("&Custom...")
                                                    : QStringLiteral("&%1\u00D7%1").arg(item + 3);
        QAction* action = m_newGameMenu->addAction(text);
        action->setObjectName(QStringLiteral("size%1").arg(item));
        action->setCheckable(true);
        action->setChecked(item == 0);
        if (item != CustomSizeItem)
            action->setShortcut(QKeySequence(Qt::Key_F3 + item));
        // A checkable item flips its own mark when chosen; the command decides the marks.
        connect(action, &QAction::triggered, this, [this, action, item](bool checked) {
            action->setChecked(!checked);
            chooseBoardSize(item);
        });
        m_sizeItems[static_cast<std::size_t>(item)] = action;
    }
    QAction* open = m_gameMenu->addAction(QStringLiteral("&Open Game"), this, &GameWindow::openGame);
    open->setObjectName(QStringLiteral("openGame"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* save = m_gameMenu->addAction(QStringLiteral("&Save Game"), this, &GameWindow::saveGame);
    save->setObjectName(QStringLiteral("saveGame"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_copy = m_gameMenu->addAction(QStringLiteral("&Copy Board"), this, &GameWindow::copyBoard);
    m_copy->setObjectName(QStringLiteral("copyBoard"));
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* paste = m_gameMenu->addAction(QStringLiteral("&Paste Board"), this, &GameWindow::pasteBoard);
    paste->setObjectName(QStringLiteral("pasteBoard"));
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_gameMenu->addSeparator();
    m_undo = m_gameMenu->addAction(QStringLiteral("&Undo Move"), this, &GameWindow::undo);
    m_undo->setObjectName(QStringLiteral("undo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = m_gameMenu->addAction(QStringLiteral("&Redo Move"), this, &GameWindow::redo);
    m_redo->setObjectName(QStringLiteral("redo"));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_restart = m_gameMenu->addAction(QStringLiteral("R&estart Game"), this, &GameWindow::restart);
    m_restart->setObjectName(QStringLiteral("restart"));
    m_gameMenu->addSeparator();
    m_hint = m_gameMenu->addAction(QStringLiteral("&Hint"), this, &GameWindow::hint);
    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setShortcut(QKeySequence(Qt::Key_H));
    m_solve = m_gameMenu->addAction(QStringLiteral("So&lve"), this, &GameWindow::solve);
    m_solve->setObjectName(QStringLiteral("solve"));
    m_solve->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    m_gameMenu->addSeparator();
    QAction* statistics = m_gameMenu->addAction(QStringLiteral("S&tatistics..."), this, &GameWindow::showStatistics);
    statistics->setObjectName(QStringLiteral("statistics"));
    statistics->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_gameMenu->addSeparator();
    QAction* quitAction = m_gameMenu->addAction(QStringLiteral("&Quit"), this, &GameWindow::quit);
    quitAction->setObjectName(QStringLiteral("quit"));
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QAction* about = menuBar()->addAction(QStringLiteral("&About"), this, &GameWindow::showAbout);
    about->setObjectName(QStringLiteral("about"));

    // The arrow keys slide tiles from anywhere in the window; the custom size scroll bars
    // keep theirs (see eventFilter).
    const std::pair<Qt::Key, Direction> arrows[] = {{Qt::Key_Left, Direction::Left},
                                                    {Qt::Key_Right, Direction::Right},
                                                    {Qt::Key_Up, Direction::Up},
                                                    {Qt::Key_Down, Direction::Down}};
    for (std::size_t i = 0; i < m_arrows.size(); ++i) {
        const auto [key, direction] = arrows[i];
        QAction* arrow = new QAction(this);
        arrow->setShortcut(QKeySequence(key));
        connect(arrow, &QAction::triggered, this, [this, direction = direction] { slideToward(direction); });
        addAction(arrow);
        m_arrows[i] = arrow;
    }

    // F10 opens the menu bar, as in other desktop programs.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { menuBar()->setActiveAction(m_gameMenu->menuAction()); });
}

template <typename Command>
void GameWindow::guarded(Command&& command)
{
    // Nothing a command raises reaches Qt's event loop; the player is told instead.
    try {
        command();
    } catch (const std::bad_alloc&) {
        m_services.prompts->message(QMessageBox::Critical,
                                    QStringLiteral("There is not enough memory for that. The game goes on as it was."));
    } catch (const std::exception& error) {
        m_services.prompts->message(QMessageBox::Critical, QString::fromUtf8(error.what()));
    }
}

void GameWindow::showBoard(Board board, bool dealt)
{
    // Everything for the new board is made before the old one is let go, so a failure
    // on the way leaves the game as it was.
    BoardLayout layout(board.width(), board.height(), m_scale);
    Game game(std::move(board));
    m_layout = std::move(layout);
    m_game = std::move(game);

    const PixelRect frame = m_layout->frame();
    m_frame->setTitle(fromUtf8(frameTitle(this->board().width(), this->board().height())));
    m_frame->setGeometry(frame.x, frame.y, frame.width, frame.height);
    m_view->setGeometry(0, 0, frame.width, frame.height);
    m_view->setBoard(&m_game->board(), &*m_layout);
    fitFonts();
    updateMovesLabel();
    applyWindowSize();
    m_scroller->horizontalScrollBar()->setValue(0);
    m_scroller->verticalScrollBar()->setValue(0);
    if (m_frame->isVisibleTo(this))
        m_view->setFocus(Qt::OtherFocusReason);
    m_help->boardChanged();
    m_copyable = boardText(this->board()).has_value();
    m_statistics.newGame(this->board().width(), this->board().height(), this->board().moves(), !dealt);
    statisticsChanged();
    updateActions();
}

void GameWindow::updateActions()
{
    const bool playing = m_frame->isVisibleTo(this);
    m_undo->setEnabled(playing && m_game->canUndo());
    m_redo->setEnabled(playing && m_game->canRedo());
    m_restart->setEnabled(playing && m_game->canUndo());
    for (QAction* arrow : m_arrows)
        arrow->setEnabled(playing);
    m_hint->setEnabled(playing);
    m_solve->setEnabled(playing);
    m_copy->setEnabled(playing && m_copyable);
}

void GameWindow::fitFonts()
{
    // The caption and the label are placed in fixed twips around the tiles; where the
    // desktop's font is too large for that, they take a smaller one that fits.
    QFont title = font();
    m_frame->setFont(title);
    const int tilesTop = m_layout->tile(0, 0).y;
    while ((m_frame->titleRect().bottom() >= tilesTop - 1 || m_frame->titleRect().right() >= m_frame->width() - 4)
           && shrink(title))
        m_frame->setFont(title);

    // Measured as the label draws, which may differ from a bare QFontMetrics on screens
    // whose fonts are scaled apart from their dots per inch.
    QFont label = font();
    m_movesLabel->setFont(label);
    const QString widest = fromUtf8(movesText(MaximumMoves));
    const int room = std::min(m_layout->clientWidth(), m_services.screen->availableGeometry().width()) - 4;
    while (m_movesLabel->fontMetrics().horizontalAdvance(widest) + 2 * m_movesLabel->margin() > room && shrink(label))
        m_movesLabel->setFont(label);
}

void GameWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_layout) {
        fitFonts();
        applyWindowSize();
    }
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The custom size scroll bars keep their keys, arrows included, from the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride && (watched == m_customWidth || watched == m_customHeight)) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            if (key->modifiers() == Qt::NoModifier) {
                event->accept();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void GameWindow::tickSizeItem(int item)
{
    for (int i = 0; i < SizeItems; ++i)
        m_sizeItems[static_cast<std::size_t>(i)]->setChecked(i == item);
}

void GameWindow::updateMovesLabel()
{
    m_movesLabel->setSpokenText(fromUtf8(movesText(board().moves())));
    m_movesLabel->adjustSize(); // the label sizes itself to its caption
    const int width = m_client->width();
    const int left = width >= m_layout->clientWidth() ? m_layout->labelLeft(m_movesLabel->width())
                                                      : (width - m_movesLabel->width()) / 2;
    m_movesLabel->move(left, m_movesLabel->y());
}

void GameWindow::applyWindowSize()
{
    const int fullWidth = m_layout->clientWidth();
    const int boardHeight = m_layout->labelTop(); // the frame, and the gap down to the label
    const int strip = m_layout->clientHeight(m_movesLabel->height()) - boardHeight;
    m_canvas->setFixedSize(fullWidth, boardHeight);

    // The window stays on the screen; a board too large for it scrolls.
    const QRect available = m_services.screen->availableGeometry();
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize decoration = isVisible() ? frameGeometry().size() - geometry().size() : QSize(8, 32);
    const int maxWidth = std::max(100, available.width() - decoration.width());
    const int maxHeight = std::max(100, available.height() - decoration.height() - menuHeight - strip);
    const int bar = m_scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool across = fullWidth > maxWidth;
    bool down = boardHeight > maxHeight;
    across = across || (down && fullWidth + bar > maxWidth);
    down = down || (across && boardHeight + bar > maxHeight);
    const int width = std::min(fullWidth + (down ? bar : 0), maxWidth);
    const int height = std::min(boardHeight + (across ? bar : 0), maxHeight);
    m_scroller->setGeometry(0, 0, width, height);
    m_client->setFixedSize(width, height + strip);
    m_movesLabel->move(m_movesLabel->x(), height);
    updateMovesLabel();
    setFixedSize(width, height + strip + menuHeight);
    keepOnScreen();
}

void GameWindow::showEvent(QShowEvent* event)
{
    m_shownSize = size();
    QMainWindow::showEvent(event);
}

void GameWindow::keepOnScreen()
{
    // A larger board leaves the window where it was, unless it would reach off the screen.
    if (!isVisible())
        return;
    if (!m_services.screen->placesWindows()) {
        // Where the window is cannot be known here, nor changed; the window system placed
        // it whole when it was shown, at the size it had then. Grown beyond that size, it
        // is shown afresh, to be placed whole again.
        if (width() > m_shownSize.width() || height() > m_shownSize.height()) {
            hide();
            show();
        }
        return;
    }
    const QRect available = m_services.screen->availableGeometry();
    const QSize outer = size() + (frameGeometry().size() - geometry().size());
    const int right = std::max(available.left(), available.right() + 1 - outer.width());
    const int bottom = std::max(available.top(), available.bottom() + 1 - outer.height());
    const QPoint at(std::clamp(pos().x(), available.left(), right), std::clamp(pos().y(), available.top(), bottom));
    if (at != pos())
        move(at);
}

void GameWindow::newGame(int width, int height)
{
    showBoard(Board::dealt(width, height, *m_services.random), true);
}

void GameWindow::slide(int place)
{
    guarded([&] { moveMade(m_game->click(place)); });
}

void GameWindow::slideLine(int place)
{
    guarded([&] { moveMade(m_game->lineClick(place)); });
}

void GameWindow::slideToward(Direction direction)
{
    guarded([&] { moveMade(m_game->arrow(direction)); });
}

void GameWindow::moveMade(const std::optional<Slide>& made)
{
    // A click or key that moves nothing gets the beep, and nothing else happens.
    if (made)
        afterMove(*made);
    else
        m_services.prompts->beep();
}

void GameWindow::undo()
{
    guarded([&] {
        if (const std::optional<Slide> undone = m_game->undo()) {
            m_help->boardChanged();
            m_statistics.assist();
            m_statistics.moved(now(), board().moves());
            statisticsChanged();
            m_view->tileMoved(Slide{undone->to, undone->from});
            updateMovesLabel();
            updateActions();
        }
    });
}

void GameWindow::redo()
{
    guarded([&] {
        if (const std::optional<Slide> redone = m_game->redo())
            afterMove(*redone);
    });
}

void GameWindow::restart()
{
    guarded([&] {
        if (m_game->restart()) {
            m_help->boardChanged();
            m_statistics.assist();
            m_statistics.moved(now(), board().moves());
            statisticsChanged();
            m_view->boardChanged();
            updateMovesLabel();
            updateActions();
        }
    });
}

void GameWindow::afterMove(const Slide& slide)
{
    // The tiles that moved, the one nearest the blank first, as a plan would list them.
    std::vector<int> moved;
    const int tiles = board().tilesIn(slide);
    const int step = (slide.to - slide.from) / tiles;
    for (int place = slide.to; place != slide.from; place -= step) {
        long long tile = 0;
        if (!captionNumber(board().caption(place), tile)) {
            moved.clear();
            break;
        }
        moved.push_back(static_cast<int>(tile));
    }
    m_help->boardChanged(moved);
    m_view->tileMoved(slide);
    updateMovesLabel();
    updateActions();
    m_statistics.moved(now(), board().moves());
    if (board().isSolved())
        m_statistics.won(now(), board().moves());
    statisticsChanged();
    if (board().isSolved())
        m_services.prompts->message(QMessageBox::Warning, fromUtf8(winText(board().moves())));
}

void GameWindow::chooseBoardSize(int item)
{
    stopSolving();
    guarded([&] {
        if (m_services.prompts->message(QMessageBox::Information, QStringLiteral("Begin New Game?"),
                                        QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
            return;
        tickSizeItem(item);
        if (item == CustomSizeItem) {
            // A fresh 3 x 3 is dealt behind the panel.
            m_frame->hide();
            m_customPanel->show();
            newGame(3, 3);
            m_customWidth->setFocus(Qt::OtherFocusReason);
        } else {
            m_customPanel->hide();
            m_frame->show();
            newGame(item + 3, item + 3);
        }
    });
}

void GameWindow::startCustomGame()
{
    guarded([&] {
        const int width = m_customWidth->value();
        const int height = m_customHeight->value();
        // Only a screen tens of thousands of pixels wide offers more than the layout holds;
        // refuse such a size before the current game is touched.
        if (!isAdmittedBoardSize(width, height)) {
            m_services.prompts->message(
                QMessageBox::Warning,
                QStringLiteral("A board of %1 \u00D7 %2 tiles is too large. Boards hold at most 682 tiles across "
                               "or down and 32767 tiles in all.")
                    .arg(width)
                    .arg(height));
            return;
        }
        m_customPanel->hide();
        m_frame->show();
        newGame(width, height);
    });
}

void GameWindow::saveGame()
{
    stopSolving();
    guarded([&] {
        const QString chosen = m_services.dialogs->saveFileName(this, QStringLiteral("Save Game"), m_lastFileName,
                                                                QStringLiteral("Saved games (*.vts)"));
        if (chosen.isEmpty())
            return; // cancelled
        m_lastFileName = chosen;
        const QString target = extensionAdded(chosen);
        // The dialog asked about the name it was given; ask again if the extension leads to another file.
        if (target != chosen && QFileInfo::exists(target)) {
            const QString question = QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                                         .arg(QFileInfo(target).fileName());
            if (m_services.prompts->message(QMessageBox::Warning, question, QMessageBox::Yes | QMessageBox::No)
                != QMessageBox::Yes)
                return;
        }
        const QString failure = writeGameFile(target, board());
        if (!failure.isEmpty()) {
            m_services.prompts->message(QMessageBox::Warning,
                                        QStringLiteral("The game was not saved to \"%1\".\n\n%2").arg(target, failure));
        }
    });
}

void GameWindow::openGame()
{
    stopSolving();
    guarded([&] {
        const QString chosen = m_services.dialogs->openFileName(this, QStringLiteral("Open Saved Game"),
                                                                m_lastFileName,
                                                                QStringLiteral("Saved games (*.vts);;All files (*)"));
        if (chosen.isEmpty())
            return; // cancelled
        m_lastFileName = chosen;
        OpenedGame opened = readGameFile(QFileInfo(chosen).filesystemFilePath());
        if (!opened.board) {
            m_services.prompts->message(QMessageBox::Warning,
                                        QStringLiteral("\"%1\" is not a saved game that can be opened.\n\n%2")
                                            .arg(chosen, fromUtf8(opened.error)));
            return;
        }
        playOpenedGame(std::move(*opened.board));
    });
}

void GameWindow::playOpenedGame(Board board)
{
    // An opened game is for playing: bring the board into view if the custom panel covers it,
    // and tick the New Game size it has, if it has one.
    const int size = board.width() == board.height() ? board.width() : 0;
    m_customPanel->hide();
    m_frame->show();
    showBoard(std::move(board), false);
    tickSizeItem(size >= 3 && size <= 8 ? size - 3 : -1);
}

void GameWindow::hint()
{
    guarded([&] { m_help->hint(); });
}

void GameWindow::solve()
{
    guarded([&] { m_help->solve(); });
}

void GameWindow::stopSolving()
{
    m_help->stopSolving();
}

bool GameWindow::isSolving() const
{
    return m_help->isSolving();
}

int GameWindow::hintedPlace() const
{
    return m_help->hintedPlace();
}

void GameWindow::showProgress(const QString& text)
{
    if (text.isEmpty()) {
        updateMovesLabel();
        return;
    }
    m_movesLabel->setSpokenText(text);
    m_movesLabel->adjustSize();
    m_movesLabel->move((m_client->width() - m_movesLabel->width()) / 2, m_movesLabel->y());
}

std::int64_t GameWindow::now() const
{
    if (m_services.clock)
        return m_services.clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void GameWindow::statisticsChanged()
{
    if (m_statisticsWindow && m_statisticsWindow->isVisible())
        m_statisticsWindow->refresh();
}

void GameWindow::showStatistics()
{
    guarded([&] {
        if (!m_statisticsWindow)
            m_statisticsWindow = new StatisticsWindow(m_statistics, [this] { return now(); }, m_services.dialogs,
                                                      m_services.prompts);
        m_statisticsWindow->show(); // modeless: the game goes on
        m_statisticsWindow->raise();
        m_statisticsWindow->activateWindow();
    });
}

void GameWindow::copyBoard()
{
    guarded([&] {
        if (const std::optional<std::string> text = boardText(board()); text && m_services.clipboard)
            m_services.clipboard->setText(fromUtf8(*text));
    });
}

void GameWindow::pasteBoard()
{
    stopSolving();
    guarded([&] {
        const std::optional<QString> text = m_services.clipboard ? m_services.clipboard->text() : std::nullopt;
        if (!text) {
            m_services.prompts->message(QMessageBox::Warning,
                                        QStringLiteral("The clipboard holds no text, so it holds no board to paste."));
            return;
        }
        // A clipboard of megabytes is refused by its length alone, before it is read.
        std::optional<std::string> tooLong = tooLongForABoard(static_cast<std::size_t>(text->size()));
        const ReadBoard read = tooLong ? ReadBoard{std::nullopt, std::move(*tooLong)} : readBoardText(text->toStdString());
        if (!read.board) {
            m_services.prompts->message(QMessageBox::Warning,
                                        fromUtf8(read.error) + QStringLiteral("\n\n") + fromUtf8(std::string(BoardTextFormat)));
            return;
        }
        playOpenedGame(*read.board);
    });
}

void GameWindow::quit()
{
    // Ends at once: no question, nothing saved, every window closed.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void GameWindow::showAbout()
{
    if (m_services.showAbout)
        m_services.showAbout();
}

} // namespace vantirelle
