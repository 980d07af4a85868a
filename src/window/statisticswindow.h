#pragma once

#include "board/statistics.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QLabel;
class QTableWidget;
class QTimer;

namespace vantirelle {

class FileDialogs;
class Prompts;

// Game > Statistics: the game in play (its size, moves, time since its first move, tiles a
// second), each game won this session, and for each size the best time, the fewest moves
// and the averages of 5 and 12 of the games won unaided. Modeless, like About; the game goes
// on while it is open. Save Statistics writes the wins as CSV, with the care games are saved with.
class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    StatisticsWindow(const SessionStatistics& statistics, std::function<std::int64_t()> clock, FileDialogs* dialogs,
                     Prompts* prompts);

    // Shows the statistics as they stand; the game window calls it after every change.
    void refresh();
    void saveStatistics();

    // "12.34 s" under a minute, "1:02.34" from one.
    static QString timeText(double seconds);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const SessionStatistics& m_statistics;
    std::function<std::int64_t()> m_clock;
    FileDialogs* m_dialogs;
    Prompts* m_prompts;
    QString m_lastFileName;
    QLabel* m_size = nullptr;
    QLabel* m_moves = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_speed = nullptr;
    QTableWidget* m_best = nullptr;
    QTableWidget* m_games = nullptr;
    QTimer* m_ticker = nullptr; // the clock of the game in play, while it runs
};

} // namespace vantirelle
