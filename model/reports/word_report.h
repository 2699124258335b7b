#pragma once

#include <string>
#include <string_view>

#include "model/model_fwd.h"
#include "model/reports/word_document_writer.h"

namespace vrn {

// The matrix report as a word-processor document, written through `word`.

// Writes the whole report into a new document and saves it as `myfilename`: header and footer,
// a rule line, the matrix picture when `rpt_MatrixImage` is set (`matrixPicture`, PNG bytes; left
// out when empty), then the segments the report flags of `matrix` choose. Failures of the
// document (a picture that is not PNG, a file that cannot be saved) throw; nothing is saved then.
void Export_Word(VRN_Matrix& matrix, WordDocumentWriter& word, const std::string& myfilename,
                 std::string_view matrixPicture = {});

// Writes one named segment at the insertion point of `word`'s open document. `PrintDescription`
// adds descriptions and discussions where the segment has them. A name that is not a segment's
// is reported through the matrix's messages and writes nothing. A segment whose model reads fail
// ends at once, keeping what it wrote.
void WordReport_Segment(VRN_Matrix& matrix, WordDocumentWriter& word, const std::string& segment,
                        bool PrintDescription);

}  // namespace vrn
