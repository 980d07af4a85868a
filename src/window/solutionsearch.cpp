#include "window/solutionsearch.h"

#include "solver/solver.h"

#include <QMetaObject>

namespace vantirelle {

SolutionSearch::SolutionSearch(QObject* parent) : QObject(parent) {}

SolutionSearch::~SolutionSearch()
{
    cancel();
    for (Job& job : m_jobs)
        job.thread.join();
}

void SolutionSearch::cancel()
{
    for (Job& job : m_jobs)
        job.cancelled->store(true);
}

void SolutionSearch::joinFinished()
{
    for (auto job = m_jobs.begin(); job != m_jobs.end();) {
        if (job->finished->load()) {
            job->thread.join();
            job = m_jobs.erase(job);
        } else {
            ++job;
        }
    }
}

void SolutionSearch::start(const Puzzle& puzzle, std::uint64_t ticket)
{
    cancel();
    joinFinished();
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::thread worker([this, puzzle, ticket, cancelled, finished] {
        auto report = [this](int percent) {
            QMetaObject::invokeMethod(this, [this, percent] { emit progress(percent); }, Qt::QueuedConnection);
        };
        try {
            const bool tables = methodFor(puzzle) == Method::Shortest && puzzle.width > 1 && puzzle.height > 1;
            if (tables && !patternDatabasesReady(puzzle.width, puzzle.height)) {
                // Built once, whoever asks first; a later request waits for the same build.
                patternDatabases(puzzle.width, puzzle.height, report, cancelled.get());
            }
            SearchBudget budget;
            budget.cancel = cancelled.get();
            budget.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(DeadlineMilliseconds);
            budget.progress = report;
            Solution solution = solve(puzzle, budget);
            QMetaObject::invokeMethod(
                this, [this, ticket, moves = std::move(solution.moves)] { emit found(ticket, moves); },
                Qt::QueuedConnection);
        } catch (const SearchCancelled&) {
            // nobody is waiting for this answer any more
        } catch (const std::exception& error) {
            QMetaObject::invokeMethod(
                this, [this, ticket, why = QString::fromUtf8(error.what())] { emit failed(ticket, why); },
                Qt::QueuedConnection);
        }
        finished->store(true);
    });
    m_jobs.push_back(Job{std::move(worker), cancelled, finished});
}

} // namespace vantirelle
