#include "model/file/checked_save.h"

#include <cerrno>
#include <cstdint>
#include <string_view>
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

// Read through the file's own descriptor: whatever has taken its name meanwhile, a pipe even, is
// neither read nor waited for.
Tally TallyOfFile(const SafeSaveFile& file) {
    Tally tally;
    std::vector<char> chunk(kReadChunk);
    for (std::uint64_t offset = 0;;) {
        const std::size_t got = file.ReadBack(offset, chunk);
        if (got == 0) {
            return tally;
        }
        tally.Add(std::string_view(chunk.data(), got));
        offset += got;
    }
}

}  // namespace

void WriteChecked(SafeSaveFile& target, const std::function<void(ByteSink&)>& write) {
    TallyingSink sink(target);
    write(sink);
    if (TallyOfFile(target) != sink.tally()) {
        throw std::system_error(EIO, std::generic_category(),
                                "the disk does not hold what was written");
    }
    target.Commit();
}

}  // namespace vrn
