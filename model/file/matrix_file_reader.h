#pragma once

#include <cstdint>
#include <string>

#include "model/file/tagged_record_reader.h"

namespace vrn {

// The tagged-record reader with what one read of a matrix file keeps track of beyond the
// records: the file's format version and the interactions left out because they name no
// practice of the file.
class MatrixFileReader : public TaggedRecordReader {
public:
    using TaggedRecordReader::TaggedRecordReader;

    std::int16_t version = 0;

    // Tells the user that an element bound to a catalogue entity was read where there is no
    // catalogue: one box per element, in file order.
    void WarnAboutEntity(const std::string& text) const;

    void NoteDroppedInteraction() { ++droppedInteractions_; }
    // After a whole read: one warning for all the interactions left out, if any.
    void WarnAboutDroppedInteractions() const;

private:
    int droppedInteractions_ = 0;
};

}  // namespace vrn
