#pragma once

#include <cstdint>
#include <string>

#include "model/collection.h"
#include "model/file/tagged_record_reader.h"
#include "model/model_fwd.h"

namespace vrn {

// The tagged-record reader with what one read of a matrix file keeps track of beyond the
// records: the file's format version and the interactions left out because they name no
// practice of the file.
class MatrixFileReader : public TaggedRecordReader {
public:
    using TaggedRecordReader::TaggedRecordReader;

    std::int16_t version = 0;
    // While set, the interactions read are not yet put into their practices' Interactions: the
    // existing practices' lists are filled at once when their full length is known.
    bool practiceListsDeferred = false;

    // Tells the user that an element bound to a catalogue entity was read where there is no
    // catalogue: one box per element, in file order.
    void WarnAboutEntity(const std::string& text) const;

    void NoteDroppedInteraction() { ++droppedInteractions_; }

    // Makes room in `list` for `count` more interactions, which the practices read so far let
    // the file hold; all the lists of one read together get no more room than the whole file
    // could fill, so a damaged file that names many practices and holds few interactions
    // reserves little.
    void ReserveInteractions(Collection<VRN_MatrixInteraction>& list, std::int64_t count);
    // After a whole read: one warning for all the interactions left out, if any.
    void WarnAboutDroppedInteractions() const;

private:
    int droppedInteractions_ = 0;
    // Where a large file's lists are kept; made with the first of them.
    std::shared_ptr<ListArena> lists_;
    // How many more list entries the file's size lets the reader reserve.
    bool reservesStarted_ = false;
    std::int64_t reservesLeft_ = 0;
};

}  // namespace vrn
