#include "server/database/catalogue_refusals.h"

#include <sqlite3.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "server/database/read_confinement.h"

namespace kt {

namespace {

// A wait this close to the whole busy wait was the whole wait: the engine's last sleep ends at
// the limit, give or take the clock.
constexpr int kWholeWaitPercent = 90;

int primaryCodeOf(const Error& error) {
    return error.number() & 0xff;
}

std::string describeInUse(const std::filesystem::path& path, std::string_view refused,
                          std::chrono::milliseconds waited, std::chrono::milliseconds allowed) {
    std::string text = cannotDo(refused, path);
    if (allowed.count() > 0 && waited.count() * 100 >= allowed.count() * kWholeWaitPercent) {
        return text + "another program is using it and kept it locked while the server waited " +
               describeWait(waited) +
               ". Try again once the other program is done with it, or close that program.";
    }
    return text +
           "another program is using it and holds a lock that cannot be waited for, so the "
           "server stopped after " +
           describeWait(waited) + ". Close the other program and try again.";
}

}  // namespace

std::string cannotDo(std::string_view deed, const std::filesystem::path& path) {
    return "Cannot " + std::string(deed) + " the catalogue \"" + path.string() + "\": ";
}

bool lockedByAnotherProgram(const Error& error) {
    // SQLITE_LOCKED comes of a conflict inside one connection (the library shares no cache).
    return primaryCodeOf(error) == SQLITE_BUSY;
}

CatalogueInUse::CatalogueInUse(int resultCode, std::filesystem::path path, std::string_view refused,
                               std::chrono::milliseconds waited, std::chrono::milliseconds allowed)
    : DatabaseError(resultCode, describeInUse(path, refused, waited, allowed)),
      path_(std::move(path)),
      waited_(waited),
      allowed_(allowed) {}

CatalogueInUse CatalogueInUse::refusing(std::string_view refused) const {
    return CatalogueInUse(number(), path_, refused, waited_, allowed_);
}

std::chrono::milliseconds waitedSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

std::string describeWait(std::chrono::milliseconds waited) {
    constexpr std::chrono::milliseconds kSecond{1000};
    constexpr std::chrono::milliseconds kTenth{100};
    if (waited.count() < 1) {
        return "less than 0.001 seconds";
    }
    return describeTimeLimit(waited < kSecond ? waited : (waited + kTenth / 2) / kTenth * kTenth);
}

DatabaseError catalogueReplaced(const std::filesystem::path& path) {
    return DatabaseError(SQLITE_CANTOPEN,
                         cannotDo("open", path) +
                             "the file at that path was replaced, moved or deleted while it was "
                             "being opened. Try again.");
}

CatalogueMoved::CatalogueMoved(const std::filesystem::path& path)
    : DatabaseError(SQLITE_READONLY_DBMOVED,
                    cannotDo("change", path) +
                        "the file at that path was replaced, moved or deleted while it was "
                        "being changed, so the change was not made. Open the catalogue again.") {}

ForeignJournal::ForeignJournal(std::filesystem::path path, std::string_view refused)
    : DatabaseError(SQLITE_READONLY_ROLLBACK,
                    cannotDo(refused, path) +
                        "the file at that path was replaced, moved or deleted, and another "
                        "program stopped part way through changing the file there now. Open the "
                        "catalogue again."),
      path_(std::move(path)) {}

ForeignJournal ForeignJournal::refusing(std::string_view refused) const {
    return ForeignJournal(path_, refused);
}

std::optional<DatabaseError> openRefusal(const std::exception& error,
                                         const std::filesystem::path& path) {
    if (const auto* locked = dynamic_cast<const CatalogueInUse*>(&error)) {
        return locked->refusing("open");
    }
    if (dynamic_cast<const CatalogueMoved*>(&error) != nullptr ||
        dynamic_cast<const ForeignJournal*>(&error) != nullptr) {
        return catalogueReplaced(path);
    }
    return std::nullopt;
}

DatabaseError catalogueDamaged(const std::filesystem::path& path, const std::string& finding) {
    return DatabaseError(SQLITE_CORRUPT,
                         cannotDo("open", path) + "the file is damaged: " + finding + ".");
}

bool damagedFile(const Error& error) {
    const int code = primaryCodeOf(error);
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

bool fileFailure(const Error& error) {
    const int code = primaryCodeOf(error);
    return code == SQLITE_FULL || code == SQLITE_IOERR;
}

DatabaseError changeFailed(const std::filesystem::path& path, const Error& error, int systemError) {
    const bool reading =
        error.number() == SQLITE_IOERR_READ || error.number() == SQLITE_IOERR_SHORT_READ;
    // The engine keeps no error of the system's for a full disk, which it cannot tell from a
    // write cut short.
    if (systemError == 0 && primaryCodeOf(error) == SQLITE_FULL) {
        systemError = ENOSPC;
    }
    const std::string reason =
        systemError != 0 ? std::generic_category().message(systemError) : error.description();
    return DatabaseError(error.number(), cannotDo("change", path) + "the system could not " +
                                             (reading ? "read" : "write") + " it (" + reason +
                                             "), so the change was not made.");
}

}  // namespace kt
