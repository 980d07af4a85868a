#include "window/mainwindow.h"

#include "board/errors.h"
#include "board/layout.h"
#include "board/numbertext.h"
#include "window/boardaccessible.h"
#include "window/boardview.h"
#include "window/services.h"
#include "savegame/gamefile.h"
#include "savegame/gamefileio.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

namespace vantirelle {

namespace {

constexpr int CustomGameItem = 6;

} // namespace

frmVantirelle::frmVantirelle(const GameServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_host(createHost())
    , m_board(*m_host, *services.prompts, *services.random)
{
    buildMenus();
}

frmVantirelle::~frmVantirelle() = default;

QRect frmVantirelle::twipsRect(float left, float top, float width, float height) const
{
    const float tpx = m_services.screen->twipsPerPixelX();
    const float tpy = m_services.screen->twipsPerPixelY();
    auto px = [](float twips, float perPixel) { return static_cast<int>(std::lround(twips / perPixel)); };
    return QRect(px(left, tpx), px(top, tpy), px(width, tpx), px(height, tpy));
}

std::unique_ptr<QtBoardHost> frmVantirelle::createHost()
{
    buildControls();
    return std::make_unique<QtBoardHost>(*this, *scroller, *canvas, *GameFrame, *btnSlide, *lblMoves,
                                         *m_services.screen);
}

void frmVantirelle::buildControls()
{
    installBoardAccessibility();
    setObjectName("frmVantirelle");
    setWindowTitle(QStringLiteral("Vantirelle!"));
    setWindowIcon(QIcon(QStringLiteral(":/vantirelle.png")));
    // A fixed window with a minimize button and no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(false);
    canvas = new QWidget;
    canvas->setObjectName("client");
    canvas->setFixedSize(twipsRect(0, 0, 2910, 6465).size());
    scroller->setWidget(canvas);
    setCentralWidget(scroller);

    // Controls in creation order: a later one lies above an earlier one.
    CustomFrame = new QGroupBox(QStringLiteral("Custom Game"), canvas);
    CustomFrame->setObjectName("CustomFrame");
    CustomFrame->setGeometry(twipsRect(240, 0, 2415, 2415));
    CustomFrame->hide();
    // The panel's controls have fixed sizes measured for an 8-point face; keep larger desktop fonts inside them.
    if (QFont face = CustomFrame->font(); face.pointSizeF() > 8.25) {
        face.setPointSizeF(8.25);
        CustomFrame->setFont(face);
    }

    auto makeScrollBar = [this](const char* name, float top) {
        auto* bar = new QScrollBar(Qt::Horizontal, CustomFrame);
        bar->setObjectName(name);
        bar->setGeometry(twipsRect(120, top, 2175, 375));
        bar->setRange(3, 32);
        bar->setValue(3);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setTracking(false); // the value changes when the thumb is let go, not while it is dragged
        return bar;
    };
    hsbSetHeight = makeScrollBar("hsbSetHeight", 1440);
    hsbSetWidth = makeScrollBar("hsbSetWidth", 600);

    cmdNewCustomGame = new QPushButton(QStringLiteral("New Custom Game"), CustomFrame);
    cmdNewCustomGame->setObjectName("cmdNewCustomGame");
    cmdNewCustomGame->setGeometry(twipsRect(360, 1920, 1695, 375));

    lblCustomGameWidth = new QLabel(QStringLiteral("Custom Width: 3"), CustomFrame);
    lblCustomGameWidth->setObjectName("lblCustomGameWidth");
    lblCustomGameWidth->setGeometry(twipsRect(360, 240, 1815, 255));
    lblCustomGameHeight = new QLabel(QStringLiteral("Custom Height: 3"), CustomFrame);
    lblCustomGameHeight->setObjectName("lblCustomGameHeight");
    lblCustomGameHeight->setGeometry(twipsRect(360, 1080, 1815, 255));

    GameFrame = new QGroupBox(canvas);
    GameFrame->setObjectName("GameFrame");
    GameFrame->setGeometry(twipsRect(0, 120, 735, 855));

    btnSlide = new BoardView(GameFrame);
    btnSlide->setGeometry(QRect(QPoint(0, 0), GameFrame->size()));

    lblMoves = new QLabel(QStringLiteral("You have made x Moves"), canvas);
    lblMoves->setObjectName("lblMoves");
    lblMoves->setGeometry(twipsRect(0, 960, 1770, 195));
    lblMoves->adjustSize();

    setTabOrder(btnSlide, cmdNewCustomGame);
    setTabOrder(cmdNewCustomGame, hsbSetWidth);
    setTabOrder(hsbSetWidth, hsbSetHeight);

    connect(btnSlide, &BoardView::tileClicked, this, [this](int index) { btnSlide_Click(index); });
    connect(hsbSetWidth, &QScrollBar::valueChanged, this, [this] { hsbSetWidth_Change(); });
    connect(hsbSetHeight, &QScrollBar::valueChanged, this, [this] { hsbSetHeight_Change(); });
    connect(cmdNewCustomGame, &QPushButton::clicked, this, [this] { cmdNewCustomGame_Click(); });
}

void frmVantirelle::buildMenus()
{
    mnuGame = menuBar()->addMenu(QStringLiteral("Game"));
    smnuBoardWidth = mnuGame->addMenu(QStringLiteral("New Game"));
    const QString sizes[] = {QStringLiteral("3\u00D73"), QStringLiteral("4\u00D74"), QStringLiteral("5\u00D75"),
                             QStringLiteral("6\u00D76"), QStringLiteral("7\u00D77"), QStringLiteral("8\u00D78"),
                             QStringLiteral("Custom...")};
    for (int i = 0; i < 7; ++i) {
        QAction* item = smnuBoardWidth->addAction(sizes[i]);
        item->setCheckable(true);
        item->setChecked(i == 0);
        if (i < CustomGameItem)
            item->setShortcut(QKeySequence(Qt::Key_F3 + i));
        item->setShortcutContext(Qt::WindowShortcut);
        // A checkable item flips its own mark when chosen; the handler decides the marks.
        connect(item, &QAction::triggered, this, [this, item, i](bool checked) {
            item->setChecked(!checked);
            mnuBoardWidth_Click(i);
        });
        mnuBoardWidth[static_cast<std::size_t>(i)] = item;
    }
    mnuLoad = mnuGame->addAction(QStringLiteral("Open Game"));
    mnuLoad->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSave = mnuGame->addAction(QStringLiteral("Save Game"));
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuQuit = mnuGame->addAction(QStringLiteral("Quit"));
    mnuQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuAbout = menuBar()->addAction(QStringLiteral("About"));

    connect(mnuLoad, &QAction::triggered, this, [this] { mnuLoad_Click(); });
    connect(mnuSave, &QAction::triggered, this, [this] { mnuSave_Click(); });
    connect(mnuQuit, &QAction::triggered, this, [this] { mnuQuit_Click(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAbout_Click(); });
}

void frmVantirelle::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        // The board may have been half built while the window was hidden.
        if (!isVisible())
            show();
        m_services.prompts->messageBox(std::string("This command could not be completed: ") + error.what(),
                                       16, ApplicationTitle);
    }
}

void frmVantirelle::Form_Load()
{
    guarded([this] {
        const ScreenSource& screen = *m_services.screen;
        const float tpx = screen.twipsPerPixelX();
        const float tpy = screen.twipsPerPixelY();
        const QSize pixels = screen.sizePixels();
        hsbSetWidth->setMaximum(customSizeMaximum(pixels.width() * static_cast<double>(tpx), tpx));
        hsbSetHeight->setMaximum(customSizeMaximum(pixels.height() * static_cast<double>(tpy), tpy));
        m_board.BoardWidth = 3;
        m_board.BoardHeight = 3;
        m_board.NewBoard(m_board.BoardWidth, m_board.BoardHeight);
    });
}

void frmVantirelle::startNewBoard()
{
    m_board.ClearBoard();
    m_board.NewBoard(m_board.BoardWidth, m_board.BoardHeight);
}

void frmVantirelle::btnSlide_Click(int Index)
{
    guarded([this, Index] { m_board.btnSlide_Click(checkedInt16(Index)); });
}

void frmVantirelle::mnuBoardWidth_Click(int Index)
{
    guarded([this, Index] {
        const int answer = m_services.prompts->messageBox("Begin New Game?", MsgBox::YesNo + MsgBox::Information,
                                                          ApplicationTitle);
        if (answer != MsgBox::AnswerYes)
            return;
        for (QAction* item : mnuBoardWidth)
            item->setChecked(false);
        mnuBoardWidth[static_cast<std::size_t>(Index)]->setChecked(true);
        if (Index == CustomGameItem) {
            GameFrame->hide();
            m_board.BoardHeight = 3;
            m_board.BoardWidth = 3;
            CustomFrame->show();
        } else {
            CustomFrame->hide();
            GameFrame->show();
            m_board.BoardWidth = checkedInt16(Index + 3);
            m_board.BoardHeight = checkedInt16(Index + 3);
        }
        startNewBoard();
    });
}

void frmVantirelle::hsbSetWidth_Change()
{
    lblCustomGameWidth->setText(QString::fromStdString("Custom Width:" + NumberText(hsbSetWidth->value())));
}

void frmVantirelle::hsbSetHeight_Change()
{
    lblCustomGameHeight->setText(QString::fromStdString("Custom Height:" + NumberText(hsbSetHeight->value())));
}

void frmVantirelle::cmdNewCustomGame_Click()
{
    guarded([this] {
        // Only a screen tens of thousands of pixels wide offers more than the layout holds;
        // refuse such a size before the current game is torn down.
        if (!isAdmittedBoardSize(hsbSetWidth->value(), hsbSetHeight->value())) {
            m_services.prompts->messageBox("A board of " + std::to_string(hsbSetWidth->value()) + " \u00D7 "
                                               + std::to_string(hsbSetHeight->value())
                                               + " tiles is too large. Boards hold at most 682 tiles across or "
                                                 "down and 32767 tiles in all.",
                                           MsgBox::OkOnly + MsgBox::Exclamation, ApplicationTitle);
            return;
        }
        m_board.BoardWidth = checkedInt16(hsbSetWidth->value());
        m_board.BoardHeight = checkedInt16(hsbSetHeight->value());
        CustomFrame->hide();
        startNewBoard();
        GameFrame->show();
    });
}

void frmVantirelle::mnuQuit_Click()
{
    // Ends at once: no question, nothing saved, every window closed.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void frmVantirelle::mnuAbout_Click()
{
    if (m_services.showAbout)
        m_services.showAbout();
}

void frmVantirelle::mnuSave_Click()
{
    guarded([this] {
        cmdBox.DialogTitle = QStringLiteral("Save Game");
        const QString chosen = m_services.dialogs->saveFileName(this, cmdBox.DialogTitle, cmdBox.FileName,
                                                                QStringLiteral("Saved games (%1)").arg(cmdBox.Filter));
        if (chosen.isEmpty())
            return; // cancelled
        cmdBox.FileName = chosen;
        const QString target = QString::fromStdString(withSavedGameExtension(chosen.toStdString()));
        // The dialog asked about the name it was given; ask again if the extension leads to another file.
        if (target != chosen && QFileInfo::exists(target)) {
            const std::string question = "\"" + QFileInfo(target).fileName().toStdString()
                                         + "\" already exists.\nDo you want to replace it?";
            if (m_services.prompts->messageBox(question, MsgBox::YesNo + MsgBox::Exclamation, ApplicationTitle)
                != MsgBox::AnswerYes)
                return;
        }
        const QString failure = WriteGameFile(target, m_board);
        if (!failure.isEmpty()) {
            m_services.prompts->messageBox("The game was not saved to \"" + target.toStdString() + "\".\n\n"
                                               + failure.toStdString(),
                                           MsgBox::OkOnly + MsgBox::Exclamation, ApplicationTitle);
        }
    });
}

void frmVantirelle::mnuLoad_Click()
{
    guarded([this] {
        cmdBox.DialogTitle = QStringLiteral("Open Saved Game");
        const QString filter = QStringLiteral("Saved games (%1);;All files (*)").arg(cmdBox.Filter);
        const QString chosen = m_services.dialogs->openFileName(this, cmdBox.DialogTitle, cmdBox.FileName, filter);
        if (chosen.isEmpty())
            return; // cancelled
        cmdBox.FileName = chosen;
        const QString failure = ReadGameFile(chosen, m_board);
        if (!failure.isEmpty()) {
            m_services.prompts->messageBox("\"" + chosen.toStdString() + "\" is not a saved game that can be opened.\n\n"
                                               + failure.toStdString(),
                                           MsgBox::OkOnly + MsgBox::Exclamation, ApplicationTitle);
            return;
        }
        // An opened game is for playing: bring the board into view if the custom panel covers it.
        CustomFrame->hide();
        GameFrame->show();
    });
}

} // namespace vantirelle
