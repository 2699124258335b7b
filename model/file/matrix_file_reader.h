#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "model/file/tagged_record_reader.h"

namespace vrn {

// The tagged-record reader with what one read of a matrix file keeps track of beyond the
// records: the file's format version, the warnings already shown, and the interactions left out
// because they name no practice of the file.
class MatrixFileReader : public TaggedRecordReader {
public:
    using TaggedRecordReader::TaggedRecordReader;

    std::int16_t version = 0;

    // Shows `text` once per read: a file of many entity-bound elements warns once, not per element.
    void WarnOnce(const std::string& text);

    void NoteDroppedInteraction() { ++droppedInteractions_; }
    // After a whole read: one warning for all the interactions left out, if any.
    void WarnAboutDroppedInteractions() const;

private:
    std::set<std::string> warned_;
    int droppedInteractions_ = 0;
};

}  // namespace vrn
