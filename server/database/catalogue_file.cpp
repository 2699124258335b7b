#include "server/database/catalogue_file.h"

#include <sqlite3.h>
#include <sys/stat.h>

namespace kt {

bool CatalogueFile::stillAtPath() const {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 &&
           static_cast<std::uint64_t>(status.st_dev) == device &&
           static_cast<std::uint64_t>(status.st_ino) == inode;
}

std::optional<CatalogueFile> openedCatalogueFile(sqlite3* connection) {
    const char* name = sqlite3_db_filename(connection, "main");
    if (name == nullptr || *name == '\0') {
        return std::nullopt;
    }
    // The engine compares the inode its name leads to now with the inode of the file it holds
    // open. The name leading to one device and inode before that comparison and after it means
    // that it led to the open file all along: a file renamed over it in between shows as a
    // change.
    struct stat before {};
    struct stat after {};
    int moved = 1;
    if (::stat(name, &before) != 0 ||
        sqlite3_file_control(connection, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK ||
        moved != 0 || ::stat(name, &after) != 0 || before.st_dev != after.st_dev ||
        before.st_ino != after.st_ino) {
        return std::nullopt;
    }
    return CatalogueFile{name, static_cast<std::uint64_t>(before.st_dev),
                         static_cast<std::uint64_t>(before.st_ino)};
}

}  // namespace kt
