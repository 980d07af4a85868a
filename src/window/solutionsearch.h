#pragma once

#include "solver/puzzle.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace vantirelle {

// Searches for solutions away from the game's thread, so the window stays playable
// while the tables are built and the search runs. A new search, or cancel(), drops the
// one running; closing stops every search and any building of tables at once.
class SolutionSearch : public QObject {
    Q_OBJECT

public:
    explicit SolutionSearch(QObject* parent = nullptr);
    ~SolutionSearch() override;

    // `ticket` comes back with the answer, so a late answer can be told from a current one.
    void start(const Puzzle& puzzle, std::uint64_t ticket);
    void cancel();

signals:
    void found(std::uint64_t ticket, const std::vector<std::int16_t>& moves);
    void failed(std::uint64_t ticket, const QString& why);
    // The tables for the board's shape are being built: 0 to 100.
    void preparing(int percent);

private:
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> cancelled;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    void joinFinished();

    std::vector<Job> m_jobs;
    std::atomic<bool> m_closing{false};
};

} // namespace vantirelle
