#include "model/file/matrix_file_reader.h"
#include "model/file/matrix_file_texts.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

// The PID of a blank group, which has no entity.
constexpr const char* kBlankPID = "999999999";

}  // namespace

void VRN_PracticeGroup::Read(MatrixFileReader& file, bool isHorizontal,
                             const std::shared_ptr<VRN_State>& state, MatrixWindow* window,
                             std::int32_t& key) {
    setHorizontal(isHorizontal);
    InForm = window;
    partOf = state;
    InMatrix = state->InMatrix;
    version = state->version;
    No_Display = state->No_Display;
    const auto self = shared_from_this();
    if (!No_Display && InForm != nullptr) {
        Display = InForm->CreatePracticeGroup(horizontal_, self);
    }
    DisplayPG = true;

    // The practices up to the record that ends the group, whose key goes to `key`.
    const auto readPractices = [&](bool noteOptions) {
        auto pair = file.ReadTagAndKey();
        key = pair.key;
        while (pair.tag == "BEGIN Practice") {
            auto practice = std::make_shared<VRN_Practice>();
            PracticeParts.Add(practice);
            state->Practices.Add(practice);
            practice->Read(file, horizontal_, self, InForm, key);
            if (noteOptions && practice->OptionGroup) {
                Has_Options = true;
            }
            pair = file.ReadTagAndKey();
            key = pair.key;
        }
    };

    if (version == 3) {
        setName(file.ReadFile("Group Name"));
        is_entity = file.ReadFileBoolean("Entity");
        entity_UID = file.ReadFile("PID");
        if (!is_entity && entity_UID == kBlankPID) {
            is_blank = true;
        }
        if (file.context().VRN_Running_Standalone && is_entity) {
            file.WarnAboutEntity(kGroupEntityWarning);
        }
        setHorizontal(file.ReadFileBoolean("Layout"));
        setFontbold(file.ReadFileBoolean("Bold"));
        setFontItalic(file.ReadFileBoolean("Italic"));
        setFontUnderlined(file.ReadFileBoolean("Underlined"));
        color = file.ReadFileNumberText("Color");
        readPractices(true);
        // The first underlined group with options in file order gets the guided questions.
        const auto document = InMatrix.lock();
        if (document && FontUnderlined() && Has_Options && !document->Auto_PGroup_Dialogue) {
            document->Auto_PGroup_Dialogue = true;
            document->Auto_PGroup = self;
        }
        Key = key;
    } else if (version == 1) {
        setName(file.ReadItemText());
        setHorizontal(file.ReadItemBoolean());
        setFontbold(file.ReadItemBoolean());
        setFontItalic(file.ReadItemBoolean());
        setFontUnderlined(file.ReadItemBoolean());
        readPractices(false);
        Key = key;
    }
    FormatDisplay();
}

void VRN_PracticeGroup::SetKey(std::int32_t& Val) {
    Key = Val;
    for (const auto& practice : PracticeParts) {
        ++Val;
        practice->SetKey(Val);
    }
}

void VRN_PracticeGroup::Save(TaggedRecordWriter& file) {
    file.WriteLong("BEGIN PracticeGroup", Key);
    file.WriteFile("Group Name", Name());
    file.WriteBoolean("Entity", is_entity);
    if (!is_entity && is_blank) {
        entity_UID = kBlankPID;
    }
    file.WriteFile("PID", entity_UID);
    file.WriteBoolean("Layout", horizontal_);
    file.WriteBoolean("Bold", fontbold());
    file.WriteBoolean("Italic", FontItalic());
    file.WriteBoolean("Underlined", FontUnderlined());
    file.WriteFile("Color", std::to_string(color));
    for (const auto& practice : PracticeParts) {
        practice->Save(file);
    }
    file.WriteLong("END PracticeGroup", Key);
}

}  // namespace vrn
