#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct sqlite3;

namespace kt {

// Ends the statement running on a connection at a deadline, even inside one long step: a thread
// of its own waits for the deadline and interrupts the connection unless the watchdog ended
// first. The connection must outlive the watchdog, and must run nothing but the watched
// statement while the watchdog lives.
class QueryWatchdog {
public:
    QueryWatchdog(sqlite3* connection, std::chrono::steady_clock::time_point deadline);
    ~QueryWatchdog();
    QueryWatchdog(const QueryWatchdog&) = delete;
    QueryWatchdog& operator=(const QueryWatchdog&) = delete;

    // True once the deadline has passed; work inside a step asks this to stop early.
    bool expired() const { return expired_.load(std::memory_order_relaxed); }

private:
    void watch(std::stop_token stop, std::chrono::steady_clock::time_point deadline);

    sqlite3* connection_;
    std::atomic<bool> expired_{false};
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::jthread thread_;  // last: it starts once everything it uses is there
};

}  // namespace kt
