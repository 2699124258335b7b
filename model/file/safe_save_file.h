#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "model/file/byte_sink.h"

namespace vrn {

// Writes a file so that the old one is never lost: the bytes go to a temporary file in the same
// folder, and Commit flushes it to disk and renames it over the target in one step. Until then
// the target is untouched; a SafeSaveFile destroyed without Commit removes its temporary file.
// The temporary file's name is fixed per target (TemporaryPathFor), so one left behind by an
// interrupted write is taken over and replaced by the next write of the same target; while a
// write is under way its temporary file is locked, and a second writer of the same target is
// refused. A target that is a symbolic link is written through the link (through each link of
// a chain), to the file it names, whether or not that file exists yet; the link stays. Failures
// throw std::system_error.
class SafeSaveFile : public ByteSink {
public:
    // Called between opening the temporary file and locking it, on every attempt: tests let
    // another writer run there.
    using BeforeLock = std::function<void()>;

    explicit SafeSaveFile(const std::filesystem::path& target, const BeforeLock& beforeLock = {});
    ~SafeSaveFile() override;
    SafeSaveFile(const SafeSaveFile&) = delete;
    SafeSaveFile& operator=(const SafeSaveFile&) = delete;

    void Write(std::string_view bytes) override;
    void Commit();

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temporary_; }

    // Throws when `target` could not be saved: its folder is missing or not writable, or it is
    // a folder or a read-only file.
    static void CheckWritable(const std::filesystem::path& target);

    // The one temporary file beside `target` (after following its links) that writes of `target`
    // use: "." + its file name + ".partial".
    static std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

private:
    int OpenLocked(const BeforeLock& beforeLock) const;
    bool HoldsTemporary() const;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace vrn
