#include <limits>
#include <system_error>

#include "model/file/matrix_file_error.h"
#include "model/file/matrix_file_reader.h"
#include "model/file/matrix_file_texts.h"
#include "model/file/matrix_header.h"
#include "model/file/open_file_table.h"
#include "model/vrn_matrix.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

// Sets a flag for as long as it lives.
class FlagRaised {
public:
    explicit FlagRaised(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagRaised() { flag_ = false; }
    FlagRaised(const FlagRaised&) = delete;
    FlagRaised& operator=(const FlagRaised&) = delete;

private:
    bool& flag_;
};

}  // namespace

void VRN_Matrix::ImportAlternatives(std::int16_t file) {
    OpenFileTable::OpenedFile* opened = nullptr;
    try {
        opened = &files().Get(file, OpenFileTable::Mode::Input);
    } catch (const std::system_error& error) {
        throw MatrixFileError(std::string("Importing failed: ") + error.what() + ".", kImportTitle);
    }
    ImportAlternatives(*opened->input, opened->path);
}

void VRN_Matrix::ImportAlternatives(std::streambuf& source, const std::string& sourceName) {
    const auto self = shared_from_this();
    MatrixFileReader file(source, sourceName, Context);
    try {
        file.version = file.ReadTagAndVersion();
    } catch (const MatrixFileError& error) {
        throw MatrixFileError(error.what(), kImportTitle);
    }
    if (file.version == 1) {
        throw MatrixFileError(kImportVersion1Text, {}, MsgIcon::None);
    }
    if (file.version != 3) {
        throw MatrixFileError(kImportVersionText, kImportTitle);
    }

    // From here the document's version is the imported file's, which its states read by.
    const std::int16_t oldVersion = version;
    version = file.version;
    const bool autoDialogue = Auto_PGroup_Dialogue;
    const auto autoGroup = Auto_PGroup;
    std::vector<std::shared_ptr<VRN_State>> imported;
    try {
        VRN_Matrix dropped;
        WindowSettings ignored;
        ReadMatrixHeader(file, dropped, ignored);
        while (file.SkipRecord() != "END State") {
        }
        const int count = file.ReadFileNumberText(
            "AlternativeCount", 0, std::numeric_limits<std::int16_t>::max() - Alt_count);
        const FlagRaised importing(importing_alternative);
        for (int i = 1; i <= count; ++i) {
            auto state = std::make_shared<VRN_State>();
            imported.push_back(state);
            state->Read(file, InForm, true, self);
        }
    } catch (const std::exception& error) {
        // Deleting the states read also removes their links to the existing practices.
        for (const auto& state : imported) {
            state->Delete();
        }
        version = oldVersion;
        Auto_PGroup_Dialogue = autoDialogue;
        Auto_PGroup = autoGroup;
        throw MatrixFileError(dynamic_cast<const MatrixFileError*>(&error) != nullptr
                                  ? std::string(error.what())
                                  : "Reading '" + sourceName + "' failed: " + error.what() + ".",
                              kImportTitle);
    }

    for (auto& state : imported) {
        Alternatives_col.Add(std::move(state));
    }
    Alt_count = static_cast<std::int16_t>(Alternatives_col.Count());
    file.WarnAboutDroppedInteractions();
}

}  // namespace vrn
