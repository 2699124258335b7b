#pragma once

#include "model/file/string_sink.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"

#include <string>

namespace vrn::testing {

// The bytes a save writes for `document`.
inline std::string SavedBytes(VRN_Matrix& document, bool unlocked = false) {
    StringSink sink;
    TaggedRecordWriter writer(sink);
    document.Save(writer, unlocked);
    writer.Flush();
    return sink.bytes();
}

}  // namespace vrn::testing
