#include "server/database/query_watchdog.h"

#include <sqlite3.h>

namespace kt {

QueryWatchdog::QueryWatchdog(sqlite3* connection, std::chrono::steady_clock::time_point deadline)
    : connection_(connection),
      thread_([this, deadline](std::stop_token stop) { watch(stop, deadline); }) {}

QueryWatchdog::~QueryWatchdog() {
    // Under the lock, so that no interrupt lands after the watched statement is done.
    std::lock_guard lock(mutex_);
    thread_.request_stop();
}

void QueryWatchdog::watch(std::stop_token stop, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    if (wake_.wait_until(lock, stop, deadline, [] { return false; }) || stop.stop_requested()) {
        return;
    }
    expired_.store(true, std::memory_order_relaxed);
    sqlite3_interrupt(connection_);
}

}  // namespace kt
