#include <algorithm>
#include <limits>
#include <system_error>

#include "model/file/checked_save.h"
#include "model/file/matrix_file_error.h"
#include "model/file/matrix_file_reader.h"
#include "model/file/matrix_file_texts.h"
#include "model/file/matrix_header.h"
#include "model/file/open_file_table.h"
#include "model/file/practice_key_index.h"
#include "model/file/safe_save_file.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

constexpr std::int16_t kWrittenVersion = 3;
constexpr std::int32_t kHighestCount = std::numeric_limits<std::int16_t>::max();

// A size as the file stores it: the reader takes sizes back as 32-bit integers, so a size beyond
// them is written as the largest single-precision number they hold.
float StoredSize(float size) {
    constexpr float kLargest = 2147483520.0f;  // the last float below 2^31
    return std::clamp(size, -kLargest, kLargest);
}

// Takes what a writer gives and keeps nothing.
class DiscardingSink : public ByteSink {
public:
    void Write(std::string_view /*bytes*/) override {}
};

std::string RefusedVersionText() {
    return std::string(
               "This file is written in a format that this program does not know how to open "
               "correctly.  You may need to obtain an update of VRN to process this file.  Visit "
               "the VRN web site:  '") +
           kWebSiteAddress + "' for the latest information.";
}

}  // namespace

OpenFileTable& VRN_Matrix::files() {
    if (!openFiles_) {
        openFiles_ = std::make_shared<OpenFileTable>();
    }
    return *openFiles_;
}

void VRN_Matrix::OpenFile(const std::string& paramfilepath, std::int16_t& file,
                          const std::string& mode) {
    const bool input = mode == "Input";
    try {
        if (!input && mode != "Output") {
            file = files().FreeNumber();
            return;
        }
        file = files().Open(paramfilepath,
                            input ? OpenFileTable::Mode::Input : OpenFileTable::Mode::Output);
    } catch (const std::system_error& error) {
        throw MatrixFileError("The file '" + paramfilepath + "' cannot be " +
                                  (input ? "read: " : "saved: ") + error.what() + ".",
                              input ? kLoadTitle : kSaveTitle);
    }
    Open_File_Path = paramfilepath;
}

void VRN_Matrix::CloseFile(std::int16_t file) {
    files().Close(file);
    Open_File_Path = "Closed";
}

void VRN_Matrix::SetKey(std::int32_t& Val) {
    Key = Val;
    ++Val;
    Existing()->SetKey(Val);
    for (const auto& state : Alternatives_col) {
        ++Val;
        state->SetKey(Val);
    }
    for (const auto& interaction : Interactions) {
        ++Val;
        interaction->SetKey(Val);
    }
}

void VRN_Matrix::Save(std::int16_t file, bool unlocked) {
    std::string path;
    try {
        path = files().Get(file, OpenFileTable::Mode::Output).path;
    } catch (const std::system_error& error) {
        throw MatrixFileError(std::string("Saving failed: ") + error.what() + ".", kSaveTitle);
    }
    try {
        SafeSaveFile target(path);
        WriteChecked(target, [this, unlocked](ByteSink& sink) {
            TaggedRecordWriter writer(sink);
            Save(writer, unlocked);
            writer.Flush();
        });
    } catch (const std::system_error& error) {
        throw MatrixFileError(
            "Saving '" + path + "' failed: " + error.what() + ". The file on disk was not changed.",
            kSaveTitle);
    }
    justlocked = false;
}

std::size_t VRN_Matrix::CharactersSavedAsQuestionMarks() {
    DiscardingSink nowhere;
    TaggedRecordWriter writer(nowhere);
    Save(writer, false);
    return writer.Replaced();
}

void VRN_Matrix::Save(TaggedRecordWriter& file, bool unlocked) {
    std::int32_t counter = 1;
    SetKey(counter);

    file.WriteLong("Version", kWrittenVersion);
    file.WriteLong("BEGIN Matrix", Key);
    file.WriteFile("Title", title);
    file.WriteFile("Authors", Authors);
    file.WriteFile("Assignment", Assignment);
    file.WriteFile("Modified", Modified);
    file.WriteFile("Sources", Sources);
    file.WriteFile("Review", Review);
    file.WriteFile("Documentation", Distribution);
    file.WriteBoolean("Locked", unlocked ? false : locked);
    file.WriteFile("Locktype", Locktype);
    file.WriteFile("Keyvalue", Keyvalue);
    file.WriteFile("Footer", footer);
    file.WriteFile("Directions", Directions);
    file.WriteFile("Description", Description);
    if (No_Display) {
        file.WriteLong("FormHeight", 8000);
        file.WriteLong("FormWidth", 9000);
        for (const auto& stored : kStoredViewMarks) {
            file.WriteBoolean(stored.tag, stored.withoutWindow);
        }
        file.WriteLong("PracticeGroupHeight", 600);
        file.WriteLong("PracticeWidth", 2700);
        file.WriteLong("PracticeHeight", 600);
    } else {
        file.WriteNumber("FormHeight", StoredSize(InForm != nullptr ? InForm->Height() : 8000.0f));
        file.WriteNumber("FormWidth", StoredSize(InForm != nullptr ? InForm->Width() : 9000.0f));
        for (const auto& stored : kStoredViewMarks) {
            file.WriteBoolean(stored.tag, Context.viewChecked(stored.mark));
        }
        file.WriteNumber("PracticeGroupHeight", StoredSize(VRN_PracticeGrpHeight));
        file.WriteNumber("PracticeWidth", StoredSize(VRN_PracticeWidth));
        file.WriteNumber("PracticeHeight", StoredSize(VRN_PracticeHeight));
    }

    Existing()->Save(file);
    // The count written is the count of states that follow, so that the file always reads back.
    file.WriteLong("AlternativeCount", Alternatives_col.Count());
    for (const auto& state : Alternatives_col) {
        state->Save(file);
    }
    for (const auto& interaction : Interactions) {
        interaction->Save(file);
    }
    file.WriteLong("END Matrix", Key);
}

void VRN_Matrix::Read(std::int16_t file, MatrixWindow* ParamInForm, bool& show_direction_form,
                      const ComponentContext& context) {
    OpenFileTable::OpenedFile* opened = nullptr;
    try {
        opened = &files().Get(file, OpenFileTable::Mode::Input);
    } catch (const std::system_error& error) {
        throw MatrixFileError(std::string("Reading failed: ") + error.what() + ".", kLoadTitle);
    }
    Read(*opened->input, opened->path, ParamInForm, show_direction_form, context);
}

void VRN_Matrix::Read(std::streambuf& source, const std::string& sourceName,
                      MatrixWindow* ParamInForm, bool& show_direction_form,
                      const ComponentContext& context) {
    // Read into this document as it stands, and put it back as it was on any failure: the
    // caller never holds half a file.
    const VRN_Matrix before = *this;
    const auto discard = [this, &before]() {
        // Deleting the states read hides every cell they were given.
        for (const auto& state : Alternatives_col) {
            if (!before.Alternatives_col.Contains(state.get())) {
                state->Delete();
            }
        }
        if (existing_ && existing_ != before.existing_) {
            existing_->Delete();
        }
        *this = before;
    };

    MatrixFileReader file(source, sourceName, context);
    // Nearly all of a large file is interactions, each taking about as much memory as its record.
    interactionBlocks().Expect(static_cast<std::size_t>(file.sourceBytes()));
    InForm = ParamInForm;
    Context = context;
    InMatrix = weak_from_this();
    importing_alternative = false;
    bool refused = false;
    bool directions = false;
    WindowSettings settings;
    try {
        version = file.ReadTagAndVersion();
        file.version = version;
        if (version != 1 && version != kWrittenVersion) {
            refused = true;
            throw MatrixFileError(RefusedVersionText());
        }
        if (version == 1) {
            Key = file.ReadTagAndKey().key;  // version 1 has no header
        } else {
            ReadMatrixHeader(file, *this, settings);
        }
        readDocument(file, directions);
    } catch (const MatrixFileError& error) {
        discard();
        Invalid_version = refused || Invalid_version;
        throw MatrixFileError(error.what(), kLoadTitle);
    } catch (const std::exception& error) {
        discard();
        throw MatrixFileError("Reading '" + sourceName + "' failed: " + error.what() + ".",
                              kLoadTitle);
    }

    if (version == kWrittenVersion && !No_Display) {
        settings.ApplyTo(InForm, Context.MainForm);
    }
    show_direction_form = directions;
    file.WarnAboutDroppedInteractions();
}

void VRN_Matrix::readDocument(MatrixFileReader& file, bool& show_direction_form) {
    const auto self = shared_from_this();
    auto existing = std::make_shared<VRN_State>();
    setExisting(existing);
    existing->Read(file, InForm, false, self);
    existing->Active = true;

    Target = std::make_shared<VRN_State>();
    Use_Alter = true;
    Alt_count =
        static_cast<std::int16_t>(file.ReadFileNumberText("AlternativeCount", 0, kHighestCount));
    for (int i = 1; i <= Alt_count; ++i) {
        auto state = std::make_shared<VRN_State>();
        Alternatives_col.Add(state);  // before it is read, so that a failure finds it to discard
        state->Read(file, InForm, true, self);
    }
    use_alternative(true, 1);
    listExistingInteractions(file);
    readDocumentInteractions(file);
    show_direction_form = !Directions.empty();
}

std::int64_t VRN_Matrix::targetPracticeCount() const {
    std::int64_t targets = 0;
    for (const auto& state : Alternatives_col) {
        targets += state->Practices.Count();
    }
    return targets;
}

void VRN_Matrix::listExistingInteractions(MatrixFileReader& file) {
    // Each existing practice meets every other one and every target practice.
    const auto& existing = Existing();
    const std::int64_t partners = existing->Practices.Count() - 1 + targetPracticeCount();
    for (const auto& practice : existing->Practices) {
        file.ReserveInteractions(practice->Interactions, partners);
    }
    for (const auto& interaction : existing->Interactions) {
        if (const auto first = interaction->Practice1.lock()) {
            first->Interactions.Add(interaction);
        }
        if (const auto second = interaction->practice2.lock()) {
            second->Interactions.Add(interaction);
        }
    }
}

void VRN_Matrix::readDocumentInteractions(MatrixFileReader& file) {
    const auto self = shared_from_this();
    auto pair = file.ReadTagAndKey();
    if (pair.tag != "END Matrix") {
        file.ReserveInteractions(Interactions,
                                 targetPracticeCount() * Existing()->Practices.Count());
        PracticeKeyIndex practices;
        practices.Add(Existing()->Practices);
        for (const auto& state : Alternatives_col) {
            practices.Add(state->Practices);
        }
        while (pair.tag != "END Matrix") {
            VRN_MatrixInteraction::Read(file, self, InForm, pair.key, practices);
            pair = file.ReadTagAndKey("BEGIN MatrixInteraction");
        }
    }
    Key = pair.key;
}

}  // namespace vrn
