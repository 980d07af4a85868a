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
// while the tables are built and the search runs. A new search, or cancel(), stops the one
// running and any building of tables for it at once; so does closing.
class SolutionSearch : public QObject {
    Q_OBJECT

public:
    explicit SolutionSearch(QObject* parent = nullptr);
    ~SolutionSearch() override;

    // `ticket` comes back with the answer, so a late answer can be told from a current one.
    void start(const Puzzle& puzzle, std::uint64_t ticket);
    void cancel();

    // A near-shortest search that the work budget has not ended by then ends with the best
    // it found, so a hint comes within a second and a half on a busy machine too.
    static constexpr int DeadlineMilliseconds = 1300;

signals:
    void found(std::uint64_t ticket, const std::vector<std::int16_t>& moves);
    void failed(std::uint64_t ticket, const QString& why);
    // How far the tables for the board's shape, or the search, have come: 0 to 100.
    void progress(int percent);

private:
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> cancelled;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    void joinFinished();

    std::vector<Job> m_jobs;
};

} // namespace vantirelle
