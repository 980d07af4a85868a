#include "window/statisticswindow.h"

#include "savegame/writefile.h"
#include "window/prompts.h"
#include "window/services.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace vantirelle {

namespace {

QString sizeText(int width, int height)
{
    return QStringLiteral("%1\u00D7%2").arg(width).arg(height);
}

QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers)
{
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void setRow(QTableWidget* t, int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        if (column > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setItem(row, column, item);
    }
}

QString orDash(const std::optional<double>& seconds)
{
    return seconds ? StatisticsWindow::timeText(*seconds) : QStringLiteral("\u2013");
}

} // namespace

StatisticsWindow::StatisticsWindow(const SessionStatistics& statistics, std::function<std::int64_t()> clock,
                                   FileDialogs* dialogs, Prompts* prompts)
    : m_statistics(statistics), m_clock(std::move(clock)), m_dialogs(dialogs), m_prompts(prompts)
{
    setObjectName(QStringLiteral("statistics"));
    setWindowTitle(QStringLiteral("Statistics"));
    setWindowFlags(Qt::Window);

    auto* game = new QGroupBox(QStringLiteral("This game"), this);
    auto* form = new QFormLayout(game);
    auto value = [game](const char* name) {
        auto* label = new QLabel(game);
        label->setObjectName(QLatin1String(name));
        label->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        return label;
    };
    m_size = value("currentSize");
    m_moves = value("currentMoves");
    m_time = value("currentTime");
    m_speed = value("currentSpeed");
    form->addRow(QStringLiteral("Board:"), m_size);
    form->addRow(QStringLiteral("Moves:"), m_moves);
    form->addRow(QStringLiteral("Time:"), m_time);
    form->addRow(QStringLiteral("Tiles per second:"), m_speed);

    auto* best = new QGroupBox(QStringLiteral("Best of the games won unaided"), this);
    m_best = table(best, "bestBySize",
                   {QStringLiteral("Size"), QStringLiteral("Best time"), QStringLiteral("Fewest moves"),
                    QStringLiteral("Average of 5"), QStringLiteral("Average of 12")});
    (new QVBoxLayout(best))->addWidget(m_best);

    auto* games = new QGroupBox(QStringLiteral("Games won this session"), this);
    m_games = table(games, "gamesWon",
                    {QStringLiteral("Size"), QStringLiteral("Moves"), QStringLiteral("Time"),
                     QStringLiteral("Tiles per second"), QStringLiteral("Assisted")});
    (new QVBoxLayout(games))->addWidget(m_games);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* save = buttons->addButton(QStringLiteral("&Save Statistics..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveStatistics"));
    connect(save, &QPushButton::clicked, this, &StatisticsWindow::saveStatistics);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(game);
    layout->addWidget(best);
    layout->addWidget(games, 1);
    layout->addWidget(buttons);

    m_ticker = new QTimer(this);
    m_ticker->setInterval(100);
    connect(m_ticker, &QTimer::timeout, this, &StatisticsWindow::refresh);
    resize(sizeHint().expandedTo(QSize(460, 420)));
    refresh();
}

QString StatisticsWindow::timeText(double seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds, 0, 'f', 2);
    const int minutes = static_cast<int>(seconds / 60);
    return QStringLiteral("%1:%2").arg(minutes).arg(seconds - 60.0 * minutes, 5, 'f', 2, QLatin1Char('0'));
}

void StatisticsWindow::refresh()
{
    const SessionStatistics::Current game = m_statistics.current(m_clock());
    m_size->setText(sizeText(game.width, game.height) + (game.assisted ? QStringLiteral(", assisted") : QString()));
    m_moves->setText(QString::number(game.moves));
    m_time->setText(game.started ? timeText(game.seconds) + (game.finished ? QStringLiteral(", won") : QString())
                                 : QStringLiteral("not started: the clock starts at the first move"));
    m_speed->setText(game.seconds > 0 ? QString::number(game.tilesPerSecond(), 'f', 2) : QStringLiteral("\u2013"));
    // The clock ticks on screen only while it runs.
    if (isVisible() && game.started && !game.finished)
        m_ticker->start();
    else
        m_ticker->stop();

    const auto sizes = m_statistics.bySize();
    m_best->setRowCount(static_cast<int>(sizes.size()));
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const auto& s = sizes[i];
        setRow(m_best, static_cast<int>(i),
               {sizeText(s.width, s.height), orDash(s.bestSeconds),
                s.fewestMoves ? QString::number(*s.fewestMoves) : QStringLiteral("\u2013"), orDash(s.averageOf5),
                orDash(s.averageOf12)});
    }
    const auto& won = m_statistics.finished();
    if (m_games->rowCount() != static_cast<int>(won.size())) {
        m_games->setRowCount(static_cast<int>(won.size()));
        for (std::size_t i = 0; i < won.size(); ++i) {
            const FinishedGame& g = won[i];
            setRow(m_games, static_cast<int>(i),
                   {sizeText(g.width, g.height), QString::number(g.moves), timeText(g.seconds),
                    // a line slid in one click can win in no time at all
                    g.seconds > 0 ? QString::number(g.tilesPerSecond(), 'f', 2) : QStringLiteral("\u2013"),
                    g.assisted ? QStringLiteral("yes") : QStringLiteral("no")});
        }
    }
}

void StatisticsWindow::saveStatistics()
{
    const QString chosen = m_dialogs->saveFileName(this, QStringLiteral("Save Statistics"), m_lastFileName,
                                                   QStringLiteral("CSV files (*.csv)"));
    if (chosen.isEmpty())
        return; // cancelled
    m_lastFileName = chosen;
    const QString target = chosen.endsWith(QLatin1String(".csv")) ? chosen : chosen + QLatin1String(".csv");
    if (target != chosen && QFileInfo::exists(target)) {
        const QString question = QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(target).fileName());
        if (m_prompts->message(QMessageBox::Warning, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
    }
    const QString failure = writeFileWithCare(target, QByteArray::fromStdString(m_statistics.csv()),
                                              QStringLiteral("the statistics"), QStringLiteral("statistics"));
    if (!failure.isEmpty())
        m_prompts->message(QMessageBox::Warning,
                           QStringLiteral("The statistics were not saved to \"%1\".\n\n%2").arg(target, failure));
}

void StatisticsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void StatisticsWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_ticker->stop();
}

} // namespace vantirelle
