#include "model/file/checked_save.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "model/file/fnv1a_hash.h"

namespace vrn {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 16;

// The length and an FNV-1a hash of a run of bytes, enough to tell whether two runs differ.
struct Tally {
    std::uint64_t size = 0;
    std::uint64_t hash = kFnv1aStart;

    void Add(std::string_view bytes) {
        size += bytes.size();
        hash = Fnv1aHash(bytes, hash);
    }
    bool operator==(const Tally&) const = default;
};

// Hands bytes on to the file and keeps the tally of what it was given.
class TallyingSink : public ByteSink {
public:
    explicit TallyingSink(ByteSink& target) : target_(target) {}
    void Write(std::string_view bytes) override {
        target_.Write(bytes);
        tally_.Add(bytes);
    }
    const Tally& tally() const { return tally_; }

private:
    ByteSink& target_;
    Tally tally_;
};

Tally TallyOfFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::system_error(errno != 0 ? errno : EIO, std::generic_category(),
                                "the written file cannot be read back");
    }
    Tally tally;
    std::vector<char> chunk(kReadChunk);
    while (file.read(chunk.data(), std::ssize(chunk)) || file.gcount() > 0) {
        tally.Add(std::string_view(chunk.data(), static_cast<std::size_t>(file.gcount())));
    }
    if (file.bad()) {
        throw std::system_error(EIO, std::generic_category(),
                                "the written file cannot be read back");
    }
    return tally;
}

}  // namespace

void WriteChecked(SafeSaveFile& target, const std::function<void(ByteSink&)>& write) {
    TallyingSink sink(target);
    write(sink);
    if (TallyOfFile(target.temporary()) != sink.tally()) {
        throw std::system_error(EIO, std::generic_category(),
                                "the disk does not hold what was written");
    }
    target.Commit();
}

}  // namespace vrn
