#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/file/byte_sink.h"
#include "platform/docx/docx_deflater.h"

namespace vrn {

// A package part written as it is produced: the text is deflated in blocks into an unnamed
// temporary file, so that a document far larger than memory costs only a block and the
// compressor's state. The part stays open after it was finished for a save, so that a failed
// save can be followed by another. Failures throw DocxError.
class DocxSpooledPart {
public:
    DocxSpooledPart();
    ~DocxSpooledPart();
    DocxSpooledPart(const DocxSpooledPart&) = delete;
    DocxSpooledPart& operator=(const DocxSpooledPart&) = delete;

    void Append(std::string_view text) {
        if (pending_.size() + text.size() > kBlock) {
            deflatePending();
        }
        pending_.append(text);
    }
    DocxSpooledPart& operator+=(std::string_view text) {
        Append(text);
        return *this;
    }

    // The part as it stands, with `tail` after it, as a finished zip entry. The spool holds it
    // while the Finished lives; the part goes on without the tail afterwards.
    class Finished {
    public:
        ~Finished();
        Finished(const Finished&) = delete;
        Finished& operator=(const Finished&) = delete;

        std::uint32_t crc32() const { return crc_; }
        std::uint64_t size() const { return size_; }
        std::uint64_t compressedSize() const { return compressedSize_; }
        // Copies the compressed bytes into `sink`.
        void CopyTo(ByteSink& sink) const;

    private:
        friend class DocxSpooledPart;
        explicit Finished(DocxSpooledPart& part) : part_(part) {}

        DocxSpooledPart& part_;
        std::uint64_t open_ = 0;  // where the part's own bytes end in the spool
        std::uint32_t crc_ = 0;
        std::uint64_t size_ = 0;
        std::uint64_t compressedSize_ = 0;
    };
    std::unique_ptr<Finished> Finish(std::string_view tail);

private:
    static constexpr std::size_t kBlock = 256 * 1024;

    void deflatePending();
    void spool(std::string_view compressed);
    void truncateSpool(std::uint64_t size);

    int fd_ = -1;
    std::uint64_t spooled_ = 0;  // bytes in the spool file
    DocxDeflater deflater_;
    std::string pending_;
};

}  // namespace vrn
