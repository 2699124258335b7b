#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

namespace kt::test {

// A connection of its own to a catalogue file, standing for another program that uses it: it
// holds whatever locks its statements take until it ends them or closes.
class OtherConnection {
public:
    explicit OtherConnection(const std::filesystem::path& path) {
        EXPECT_EQ(sqlite3_open_v2(path.c_str(), &connection_, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
    }
    ~OtherConnection() { sqlite3_close(connection_); }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;

    // Runs statements to their end; a failure fails the test.
    void run(const std::string& sql) {
        char* message = nullptr;
        EXPECT_EQ(sqlite3_exec(connection_, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
            << (message ? message : "");
        sqlite3_free(message);
    }

private:
    sqlite3* connection_ = nullptr;
};

}  // namespace kt::test
