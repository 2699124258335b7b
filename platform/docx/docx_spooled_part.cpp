#include "platform/docx/docx_spooled_part.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/docx/docx_error.h"

namespace vrn {

namespace {

constexpr std::size_t kCopyBlock = 1024 * 1024;

[[noreturn]] void FailSpool(const std::string& what, int error) {
    throw DocxError(what + ": " + std::strerror(error));
}

// A file in the temporary folder that has no name: nothing is left of it once it is closed,
// whatever way the program ends.
int UnnamedTemporaryFile() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        return fd;
    }
    std::string name = (folder / "vrn-docx-XXXXXX").string();
    fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        FailSpool("cannot make a temporary file in " + folder.string(), errno);
    }
    ::unlink(name.c_str());
    return fd;
}

}  // namespace

DocxSpooledPart::DocxSpooledPart() : fd_(UnnamedTemporaryFile()) {
    pending_.reserve(kBlock);
}

DocxSpooledPart::~DocxSpooledPart() {
    ::close(fd_);
}

void DocxSpooledPart::deflatePending() {
    deflater_.Deflate(pending_, [this](std::string_view compressed) { spool(compressed); });
    pending_.clear();
}

void DocxSpooledPart::spool(std::string_view compressed) {
    while (!compressed.empty()) {
        const ssize_t written =
            ::pwrite(fd_, compressed.data(), compressed.size(), static_cast<off_t>(spooled_));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            FailSpool("cannot keep the document in a temporary file", errno);
        }
        spooled_ += static_cast<std::uint64_t>(written);
        compressed.remove_prefix(static_cast<std::size_t>(written));
    }
}

void DocxSpooledPart::truncateSpool(std::uint64_t size) {
    spooled_ = size;
    // Only frees the space: later writes go by offset and replace what is past `size`.
    (void)::ftruncate(fd_, static_cast<off_t>(size));
}

std::unique_ptr<DocxSpooledPart::Finished> DocxSpooledPart::Finish(std::string_view tail) {
    const std::uint64_t open = spooled_;
    // A copy of the compressor ends the stream; the original goes on from where it stood.
    DocxDeflater ending(deflater_);
    const auto out = [this](std::string_view compressed) { spool(compressed); };
    try {
        ending.Deflate(pending_, out);
        ending.Deflate(tail, out);
        ending.Finish(out);
    } catch (...) {
        truncateSpool(open);
        throw;
    }
    std::unique_ptr<Finished> finished(new Finished(*this));
    finished->open_ = open;
    finished->crc_ = ending.crc32();
    finished->size_ = ending.size();
    finished->compressedSize_ = ending.compressedSize();
    return finished;
}

DocxSpooledPart::Finished::~Finished() {
    part_.truncateSpool(open_);
}

void DocxSpooledPart::Finished::CopyTo(ByteSink& sink) const {
    std::vector<char> block(kCopyBlock);
    std::uint64_t at = 0;
    while (at < compressedSize_) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), compressedSize_ - at));
        const ssize_t read = ::pread(part_.fd_, block.data(), wanted, static_cast<off_t>(at));
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read <= 0) {
            FailSpool("cannot read the document back from its temporary file",
                      read < 0 ? errno : EIO);
        }
        sink.Write(std::string_view(block.data(), static_cast<std::size_t>(read)));
        at += static_cast<std::uint64_t>(read);
    }
}

}  // namespace vrn
