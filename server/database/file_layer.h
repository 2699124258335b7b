#pragma once

#include <sqlite3.h>

#include <string>

namespace kt {

// A file layer of the library's own over the engine's default one, under a name of its own:
// every call goes on to the default layer unless its owner sets a call of its own in vfs()
// before install(). It is registered from install() until the object ends, never as the
// default, and only a connection opened with its name uses it; that connection must be closed
// first.
class FileLayer {
public:
    // `owner` is what the owner's own calls find through ownerOf().
    FileLayer(std::string name, void* owner);
    ~FileLayer();
    FileLayer(const FileLayer&) = delete;
    FileLayer& operator=(const FileLayer&) = delete;

    const char* name() const { return name_.c_str(); }
    sqlite3_vfs& vfs() { return vfs_; }
    void install();

    // For the calls the engine makes: the owner, and the default layer underneath.
    static void* ownerOf(sqlite3_vfs* vfs);
    static sqlite3_vfs* systemOf(sqlite3_vfs* vfs);

private:
    std::string name_;
    void* owner_;
    sqlite3_vfs* system_ = nullptr;
    sqlite3_vfs vfs_{};
    bool installed_ = false;
};

}  // namespace kt
