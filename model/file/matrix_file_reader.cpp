#include "model/file/matrix_file_reader.h"

namespace vrn {

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
