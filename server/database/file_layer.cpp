#include "server/database/file_layer.h"

#include <utility>

#include "server/database/errors.h"

namespace kt {

namespace {

FileLayer& layerOf(sqlite3_vfs* vfs) {
    return *static_cast<FileLayer*>(vfs->pAppData);
}

}  // namespace

FileLayer::FileLayer(std::string name, void* owner)
    : name_(std::move(name)), owner_(owner), system_(sqlite3_vfs_find(nullptr)) {
    if (system_ == nullptr) {
        throw DatabaseError(SQLITE_ERROR, "The engine has no file layer to build on.");
    }
    vfs_.iVersion = 2;
    vfs_.szOsFile = system_->szOsFile;
    vfs_.mxPathname = system_->mxPathname;
    vfs_.zName = name_.c_str();
    vfs_.pAppData = this;
    vfs_.xOpen = [](sqlite3_vfs* layer, const char* name, sqlite3_file* opened, int flags,
                    int* openedFlags) {
        return systemOf(layer)->xOpen(systemOf(layer), name, opened, flags, openedFlags);
    };
    vfs_.xDelete = [](sqlite3_vfs* layer, const char* name, int sync) {
        return systemOf(layer)->xDelete(systemOf(layer), name, sync);
    };
    vfs_.xAccess = [](sqlite3_vfs* layer, const char* name, int flags, int* result) {
        return systemOf(layer)->xAccess(systemOf(layer), name, flags, result);
    };
    vfs_.xFullPathname = [](sqlite3_vfs* layer, const char* name, int size, char* out) {
        return systemOf(layer)->xFullPathname(systemOf(layer), name, size, out);
    };
    vfs_.xDlOpen = [](sqlite3_vfs* layer, const char* name) {
        return systemOf(layer)->xDlOpen(systemOf(layer), name);
    };
    vfs_.xDlError = [](sqlite3_vfs* layer, int size, char* out) {
        systemOf(layer)->xDlError(systemOf(layer), size, out);
    };
    vfs_.xDlSym = [](sqlite3_vfs* layer, void* library, const char* symbol) {
        return systemOf(layer)->xDlSym(systemOf(layer), library, symbol);
    };
    vfs_.xDlClose = [](sqlite3_vfs* layer, void* library) {
        systemOf(layer)->xDlClose(systemOf(layer), library);
    };
    vfs_.xRandomness = [](sqlite3_vfs* layer, int size, char* out) {
        return systemOf(layer)->xRandomness(systemOf(layer), size, out);
    };
    vfs_.xSleep = [](sqlite3_vfs* layer, int microseconds) {
        return systemOf(layer)->xSleep(systemOf(layer), microseconds);
    };
    vfs_.xCurrentTime = [](sqlite3_vfs* layer, double* now) {
        return systemOf(layer)->xCurrentTime(systemOf(layer), now);
    };
    vfs_.xGetLastError = [](sqlite3_vfs* layer, int size, char* out) {
        return systemOf(layer)->xGetLastError(systemOf(layer), size, out);
    };
    if (system_->iVersion >= 2 && system_->xCurrentTimeInt64 != nullptr) {
        vfs_.xCurrentTimeInt64 = [](sqlite3_vfs* layer, sqlite3_int64* now) {
            return systemOf(layer)->xCurrentTimeInt64(systemOf(layer), now);
        };
    }
}

FileLayer::~FileLayer() {
    if (installed_) {
        sqlite3_vfs_unregister(&vfs_);
    }
}

void FileLayer::install() {
    if (const int code = sqlite3_vfs_register(&vfs_, 0); code != SQLITE_OK) {
        throw DatabaseError(code, sqlite3_errstr(code));
    }
    installed_ = true;
}

void* FileLayer::ownerOf(sqlite3_vfs* vfs) {
    return layerOf(vfs).owner_;
}

sqlite3_vfs* FileLayer::systemOf(sqlite3_vfs* vfs) {
    return layerOf(vfs).system_;
}

}  // namespace kt
