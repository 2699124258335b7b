#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace kt {

// The plain-text record of what opening a catalogue changed in it: "OpenDB.log", kept beside
// the catalogue file. Each record is one quoted line; the file is opened and closed around every
// record, so a crash loses nothing written before it. Writing is best effort: a log that cannot
// be written never stops the work it records.
class UpgradeLog {
public:
    inline static constexpr std::string_view kFileName = "OpenDB.log";

    // The log beside this catalogue file.
    static UpgradeLog besideCatalogue(const std::filesystem::path& catalogue);
    // A log that keeps nothing, for work that is not an upgrade of a user's file.
    static UpgradeLog silent() { return UpgradeLog(std::nullopt); }

    // The message followed at once by the current date and time.
    void write(std::string_view message) const;
    // The message alone.
    void writePlain(std::string_view message) const;
    // Two quoted fields on one line, the second followed by the date and time.
    void writeFields(std::string_view first, std::string_view second) const;

    bool isSilent() const { return !path_; }
    const std::optional<std::filesystem::path>& path() const { return path_; }

private:
    explicit UpgradeLog(std::optional<std::filesystem::path> path) : path_(std::move(path)) {}
    void append(std::string_view line) const;

    std::optional<std::filesystem::path> path_;
};

}  // namespace kt
