// Reads arbitrary bytes as a matrix file, and imports them into a new document. Neither may
// crash; a file that reads must save, and what it saves must read back and save to the same
// bytes.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "model/file/matrix_file_error.h"
#include "model/file/string_sink.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "tests/support/model_doubles/recording_main_view.h"
#include "tests/support/model_doubles/recording_matrix_window.h"
#include "tests/support/model_doubles/scripted_messages.h"

namespace {

using namespace vrn;

std::string Saved(VRN_Matrix& document) {
    StringSink sink;
    TaggedRecordWriter writer(sink);
    document.Save(writer, false);
    writer.Flush();
    return sink.bytes();
}

// A program around one document: its window, main window and message boxes.
struct Program {
    testing::RecordingMatrixWindow window;
    testing::RecordingMainView mainView;
    testing::ScriptedMessages messages;
    ComponentContext context{&mainView, true, &messages};
    std::shared_ptr<VRN_Matrix> document = std::make_shared<VRN_Matrix>();

    // Reads `bytes`; false when the file is refused.
    bool Read(const std::string& bytes) {
        std::stringbuf source(bytes);
        bool directions = false;
        try {
            document->Read(source, "fuzz.vrn", &window, directions, context);
            return true;
        } catch (const MatrixFileError&) {
            return false;
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    Program first;
    if (first.Read(bytes)) {
        const std::string saved = Saved(*first.document);
        Program second;
        if (!second.Read(saved) || Saved(*second.document) != saved) {
            std::abort();
        }
    }

    Program importer;
    importer.document->CreateNew(importer.context, &importer.window);
    importer.document->CreateInit(1);
    std::stringbuf source(bytes);
    try {
        importer.document->ImportAlternatives(source, "fuzz.vrn");
    } catch (const MatrixFileError&) {
    }
    Saved(*importer.document);
    return 0;
}
