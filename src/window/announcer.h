#pragma once

#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class QTimer;

namespace vantirelle {

// What the accessibility clients are told, held to a rate a screen reader keeps up with.
// Each announcement costs the bus signals it takes; no more than SignalsPerSecond go in
// any second (kept below the twenty a second a screen reader is known to keep up with,
// as signals reach a client some milliseconds apart from when they left), and what waits is merged: a later announcement of the same thing replaces
// the one waiting, so a long Solve is heard as where it stands, not as every cell.
class Announcements {
public:
    static constexpr int SignalsPerSecond = 10;

    // The order they go in when they wait together.
    enum class Kind { Focus, Text, Cell };

    // `send` runs when the announcement goes; it reads the state then, so a merged
    // announcement says what is true when it is heard.
    void post(const void* source, int item, Kind kind, int cost, std::function<void()> send);
    // Drops what `source` has waiting (it is gone, or all of it changed at once).
    void forget(const void* source);
    void forget(const void* source, Kind kind);
    int waiting(const void* source, Kind kind) const;
    bool empty() const { return m_waiting.empty(); }

    // Sends what the last second leaves room for, in order of kind and then of posting.
    // Returns the milliseconds until the next may go, or -1 when nothing waits.
    int flush(std::int64_t nowMilliseconds);

private:
    struct Entry {
        const void* source;
        int item;
        Kind kind;
        int cost;
        std::uint64_t order;
        std::function<void()> send;
    };
    std::vector<Entry> m_waiting;
    std::deque<std::int64_t> m_sent; // when each of the last second's signals went
    std::uint64_t m_posted = 0;
};

// The application's announcements, sent from its event loop.
class Announcer : public QObject {
    Q_OBJECT

public:
    static Announcer& instance();

    // As Announcements::post, sent once the current event is handled, so what one
    // command changes goes out together, in order.
    void post(const void* source, int item, Announcements::Kind kind, int cost, std::function<void()> send);
    void forget(const void* source);
    void forget(const void* source, Announcements::Kind kind);
    int waiting(const void* source, Announcements::Kind kind) const;

private:
    explicit Announcer(QObject* parent);
    void flush();

    Announcements m_announcements;
    QTimer* m_timer;
};

} // namespace vantirelle
