#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "model/file/byte_sink.h"
#include "model/file/descriptor.h"

namespace vrn {

// Writes a file so that the old one is never lost: the bytes go to a temporary file in the same
// folder, and Commit flushes it to disk and renames it over the target in one step. Until then
// the target is untouched; a SafeSaveFile destroyed without Commit removes its temporary file.
// The temporary file is always a new file of its own; nothing found at its name is written into.
// In place of a file, it is created for its owner alone, then given the old file's group, access
// list and permissions. What cannot be kept goes to no one: where the saver is not in the old
// group, the file's new group gets no permission; where the list cannot be copied, neither group
// nor others get any. A saved file is open to no one the old one was not open to, but its owner
// is the saver. A new file gets what the umask or the folder's default access list give any new
// file. The temporary file's name is fixed per target and no other target's (TemporaryPathFor),
// so one left behind by an interrupted write is removed by the next write of the same target, as
// is anything else there that the folder lets go; a file there whose lock cannot be seen, and
// what cannot be removed, are stepped around to the next name (TemporaryPathsFor). While a write
// is under way its temporary file is locked, and a second writer of the same target is refused
// (EBUSY), unless it cannot see the lock. A target that is a symbolic link is written through the
// link (through each link of a chain), to the file it names, whether or not that file exists yet;
// the link stays. Failures throw std::system_error.
class SafeSaveFile : public ByteSink {
public:
    // Called between creating the temporary file and locking it, on every attempt: tests let
    // another writer run there.
    using BeforeLock = std::function<void()>;

    explicit SafeSaveFile(const std::filesystem::path& target, const BeforeLock& beforeLock = {});
    ~SafeSaveFile() override;
    SafeSaveFile(const SafeSaveFile&) = delete;
    SafeSaveFile& operator=(const SafeSaveFile&) = delete;

    void Write(std::string_view bytes) override;
    // Reads back what was written, from `offset`, through the file itself, never by its name
    // (something else may hold the name by then): how many bytes, 0 at the end.
    std::size_t ReadBack(std::uint64_t offset, std::span<char> into) const;
    // How many bytes the temporary file holds, asked of the file itself.
    std::uint64_t WrittenSize() const;
    void Commit();

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temporary_; }

    // Throws when `target` could not be saved: its folder is missing or not writable, or it is
    // a folder or a read-only file.
    static void CheckWritable(const std::filesystem::path& target);

    // The temporary file beside `target` (after following its links) that writes of `target` use
    // unless something there has to stay: "." + its file name + ".partial",
    // the name shortened when that would be too long for the folder.
    static std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);
    // TemporaryPathFor, then the names used in turn when something there has to stay.
    static std::vector<std::filesystem::path> TemporaryPathsFor(
        const std::filesystem::path& target);

private:
    void OpenLocked(const BeforeLock& beforeLock);
    void GiveAccess() const;
    bool HoldsTemporary() const;
    void RemoveTemporary();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    Descriptor fd_;
    bool committed_ = false;
};

}  // namespace vrn
