#include "server/database/upgrade_log.h"

#include <fstream>
#include <string>

#include "server/database/time_stamp.h"

namespace kt {

namespace {
std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}
}  // namespace

UpgradeLog UpgradeLog::besideCatalogue(const std::filesystem::path& catalogue) {
    return UpgradeLog(catalogue.parent_path() / kFileName);
}

void UpgradeLog::write(std::string_view message) const {
    append(inQuotes(std::string(message) + TimeStamp::now().lastModified()));
}

void UpgradeLog::writePlain(std::string_view message) const {
    append(inQuotes(message));
}

void UpgradeLog::writeFields(std::string_view first, std::string_view second) const {
    append(inQuotes(first) + "," + inQuotes(std::string(second) + TimeStamp::now().lastModified()));
}

void UpgradeLog::append(std::string_view line) const {
    if (!path_) {
        return;
    }
    try {
        std::ofstream file(*path_, std::ios::app | std::ios::binary);
        file << line << "\n";
    } catch (...) {
        // A full disk or a read-only directory costs the record, never the open.
    }
}

}  // namespace kt
