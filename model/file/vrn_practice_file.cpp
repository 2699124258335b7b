#include "model/file/matrix_file_reader.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

void VRN_Practice::Read(MatrixFileReader& file, bool isHorizontal,
                        const std::shared_ptr<VRN_PracticeGroup>& group, MatrixWindow* window,
                        std::int32_t& key) {
    horizontal = isHorizontal;
    InForm = window;
    partOf = group;
    InMatrix = group->InMatrix;
    is_blank = group->is_blank;
    No_Display = group->No_Display;
    const auto self = shared_from_this();
    if (!No_Display && InForm != nullptr) {
        Display = InForm->CreatePracticeGroup(horizontal, self);
        FormatDisplay();
        createImportanceBox();
    }
    Key = key;

    const auto setImportance = [this](const std::string& text) {
        Importance_value = text;
        if (Importance) {
            Importance->setText(text);
        }
    };
    if (file.version == 1) {
        setName(file.ReadItemText());
        horizontal = file.ReadItemBoolean();
        setImportance(file.ReadItemText());
        setFontbold(file.ReadItemBoolean());
        setFontItalic(file.ReadItemBoolean());
        setFontUnderlined(file.ReadItemBoolean());
        Key = file.ReadTagAndKey().key;
        key = Key;
        return;
    }
    if (file.version != 3) {
        return;
    }
    setName(file.ReadFile("Name"));
    is_entity = file.ReadFileBoolean("Entity");
    entity_UID = file.ReadFile("PID");
    setDescription(file.ReadFile("Description"));
    Discussion = file.ReadFile("Discussion");
    horizontal = file.ReadFileBoolean("Layout");
    setImportance(file.ReadFile("Import"));
    setFontbold(file.ReadFileBoolean("Bold"));
    setFontItalic(file.ReadFileBoolean("Italic"));
    setFontUnderlined(file.ReadFileBoolean("Underlined"));
    color = file.ReadFileNumberText("Color");
    if (file.ReadFileBoolean("Has_OptionGroup")) {
        OptionGroup = std::make_shared<VRN_Optiongroup>();
        OptionGroup->Read(file, self, key);
    }
    Key = file.ReadFileLong("END Practice");
    key = Key;

    const auto document = InMatrix.lock();
    if (document && document->importing_alternative) {
        // Partners come from the groups: a hidden group's practices are not in Practices.
        for (const auto& existing : document->Existing()->PracticesByGroup()) {
            VRN_MatrixInteraction::Create(document, self, existing, InForm, existing->is_blank);
        }
    }
}

void VRN_Practice::SetKey(std::int32_t& Val) {
    Key = Val;
    if (OptionGroup) {
        ++Val;
        OptionGroup->SetKey(Val);
    }
}

void VRN_Practice::Save(TaggedRecordWriter& file) {
    file.WriteLong("BEGIN Practice", Key);
    file.WriteFile("Name", Name());
    file.WriteBoolean("Entity", is_entity);
    file.WriteFile("PID", entity_UID);
    file.WriteFile("Description", Description());
    file.WriteFile("Discussion", Discussion);
    file.WriteBoolean("Layout", horizontal);
    file.WriteFile("Import", importanceText());
    file.WriteBoolean("Bold", fontbold());
    file.WriteBoolean("Italic", FontItalic());
    file.WriteBoolean("Underlined", FontUnderlined());
    file.WriteFile("Color", std::to_string(color));
    file.WriteBoolean("Has_OptionGroup", OptionGroup != nullptr);
    if (OptionGroup) {
        OptionGroup->Save(file);
    }
    file.WriteLong("END Practice", Key);
}

}  // namespace vrn
