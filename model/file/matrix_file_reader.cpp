#include "model/file/matrix_file_reader.h"

#include <algorithm>
#include <limits>

#include "model/vrn_matrix_interaction.h"

namespace vrn {

namespace {

// Fewer bytes than any interaction record takes, whatever the format version.
constexpr std::int64_t kFewestBytesPerInteraction = 32;
// A file from this size on has its lists kept in an arena of bulk memory.
constexpr std::int64_t kArenaFileBytes = std::int64_t{4} << 20;

}  // namespace

void MatrixFileReader::ReserveInteractions(Collection<VRN_MatrixInteraction>& list,
                                           std::int64_t count) {
    // Each interaction stands in three lists: its parent's and its two practices'.
    constexpr std::int64_t kListsPerInteraction = 3;
    if (!reservesStarted_) {
        reservesStarted_ = true;
        reservesLeft_ = kListsPerInteraction * (sourceBytes() / kFewestBytesPerInteraction);
    }
    const std::int64_t granted = std::clamp<std::int64_t>(count, 0, reservesLeft_);
    reservesLeft_ -= granted;
    const int length = static_cast<int>(
        std::min<std::int64_t>(list.Count() + granted, std::numeric_limits<int>::max()));
    if (sourceBytes() < kArenaFileBytes) {
        list.Reserve(length);
        return;
    }
    if (!lists_) {
        lists_ = std::make_shared<ListArena>();
    }
    list.Reserve(length, lists_);
}

void MatrixFileReader::WarnAboutEntity(const std::string& text) const {
    context().MsgBox(text);
}

void MatrixFileReader::WarnAboutDroppedInteractions() const {
    if (droppedInteractions_ == 0) {
        return;
    }
    const std::string count = std::to_string(droppedInteractions_);
    context().MsgBox(droppedInteractions_ == 1
                         ? "1 interaction in '" + sourceName() +
                               "' names a practice that is not in the file; it was left out."
                         : count + " interactions in '" + sourceName() +
                               "' name practices that are not in the file; they were left out.",
                     MsgButtons::OKOnly, MsgIcon::Exclamation);
}

}  // namespace vrn
