#include "model/file/matrix_file_reader.h"
#include "model/file/matrix_file_texts.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"

namespace vrn {

void VRN_Optiongroup::Read(MatrixFileReader& file, const std::shared_ptr<VRN_Practice>& practice,
                           std::int32_t& key) {
    partOf = practice;
    InForm = practice->InForm;
    No_Display = practice->No_Display;
    Key = file.ReadTagAndKey().key;
    setName(file.ReadFile("OptionGroup Name"));
    is_entity = file.ReadFileBoolean("Entity");
    entity_UID = file.ReadFile("PID");
    if (file.context().VRN_Running_Standalone && is_entity) {
        file.WarnAboutEntity(kOptionEntityWarning);
    }
    Prompt = file.ReadFile("Prompt");
    setDescription(file.ReadFile("Description"));
    Discussion = file.ReadFile("Discussion");
    Enabled = file.TruthValueFromRecordText(file.ReadFile("Enabled"), "Enabled");

    const auto self = shared_from_this();
    auto pair = file.ReadTagAndKey();
    key = pair.key;
    while (pair.tag == "BEGIN Option") {
        auto option = std::make_shared<VRN_Option>();
        Options.Add(option);
        option->Read(file, self, pair.key);
        pair = file.ReadTagAndKey();
        key = pair.key;
    }
}

void VRN_Optiongroup::SetKey(std::int32_t& Val) {
    Key = Val;
    for (const auto& option : Options) {
        ++Val;
        option->SetKey(Val);
    }
}

void VRN_Optiongroup::Save(TaggedRecordWriter& file) {
    file.WriteLong("BEGIN OptionGroup", Key);
    file.WriteFile("OptionGroup Name", Name());
    file.WriteBoolean("Entity", is_entity);
    file.WriteFile("PID", entity_UID);
    file.WriteFile("Prompt", Prompt);
    file.WriteFile("Description", Description());
    file.WriteFile("Discussion", Discussion);
    file.WriteBoolean("Enabled", Enabled);
    for (const auto& option : Options) {
        option->Save(file);
    }
    file.WriteLong("END OptionGroup", Key);
}

}  // namespace vrn
