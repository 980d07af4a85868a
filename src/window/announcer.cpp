#include "window/announcer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <iterator>

namespace vantirelle {

void Announcements::post(const void* source, int item, Kind kind, int cost, std::function<void()> send)
{
    const auto same = std::find_if(m_waiting.begin(), m_waiting.end(), [&](const Entry& entry) {
        return entry.source == source && entry.item == item && entry.kind == kind;
    });
    if (same != m_waiting.end()) {
        // Keeps its place in the queue, so a thing announced again and again still goes.
        same->cost = cost;
        same->send = std::move(send);
        return;
    }
    m_waiting.push_back(Entry{source, item, kind, cost, m_posted++, std::move(send)});
}

void Announcements::forget(const void* source)
{
    std::erase_if(m_waiting, [source](const Entry& entry) { return entry.source == source; });
}

void Announcements::forget(const void* source, Kind kind)
{
    std::erase_if(m_waiting, [source, kind](const Entry& entry) { return entry.source == source && entry.kind == kind; });
}

int Announcements::waiting(const void* source, Kind kind) const
{
    return static_cast<int>(std::count_if(m_waiting.begin(), m_waiting.end(), [source, kind](const Entry& entry) {
        return entry.source == source && entry.kind == kind;
    }));
}

int Announcements::flush(std::int64_t now)
{
    while (!m_sent.empty() && m_sent.front() <= now - 1000)
        m_sent.pop_front();
    std::sort(m_waiting.begin(), m_waiting.end(), [](const Entry& a, const Entry& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.order < b.order;
    });
    std::size_t next = 0;
    for (; next < m_waiting.size(); ++next) {
        const int cost = std::min(m_waiting[next].cost, SignalsPerSecond);
        if (static_cast<int>(m_sent.size()) + cost > SignalsPerSecond)
            break; // the first in line waits; nothing goes ahead of it
        m_sent.insert(m_sent.end(), static_cast<std::size_t>(cost), now);
    }
    // Out of the queue before they run: sending may post again.
    std::vector<Entry> going(std::make_move_iterator(m_waiting.begin()),
                             std::make_move_iterator(m_waiting.begin() + static_cast<std::ptrdiff_t>(next)));
    m_waiting.erase(m_waiting.begin(), m_waiting.begin() + static_cast<std::ptrdiff_t>(next));
    for (const Entry& entry : going) {
        if (entry.send)
            entry.send();
    }
    if (m_waiting.empty())
        return -1;
    // The signal whose second runs out last before the first in line fits.
    const int cost = std::min(m_waiting.front().cost, SignalsPerSecond);
    if (static_cast<int>(m_sent.size()) + cost <= SignalsPerSecond)
        return 0; // posted while the others went
    const std::size_t mustGo = m_sent.size() + static_cast<std::size_t>(cost) - SignalsPerSecond;
    return static_cast<int>(std::max<std::int64_t>(0, m_sent[mustGo - 1] + 1000 - now + 1));
}

Announcer::Announcer(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &Announcer::flush);
}

Announcer& Announcer::instance()
{
    static QPointer<Announcer> announcer;
    if (!announcer)
        announcer = new Announcer(QCoreApplication::instance());
    return *announcer;
}

void Announcer::post(const void* source, int item, Announcements::Kind kind, int cost, std::function<void()> send)
{
    m_announcements.post(source, item, kind, cost, std::move(send));
    if (!m_timer->isActive())
        m_timer->start(0);
}

void Announcer::forget(const void* source)
{
    m_announcements.forget(source);
}

void Announcer::forget(const void* source, Announcements::Kind kind)
{
    m_announcements.forget(source, kind);
}

int Announcer::waiting(const void* source, Announcements::Kind kind) const
{
    return m_announcements.waiting(source, kind);
}

void Announcer::flush()
{
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now().time_since_epoch())
                         .count();
    const int wait = m_announcements.flush(now);
    if (wait >= 0)
        m_timer->start(wait);
}

} // namespace vantirelle
