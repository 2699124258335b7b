#include "model/file/matrix_file_reader.h"
#include "model/file/matrix_file_texts.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"

namespace vrn {

void VRN_Option::Read(MatrixFileReader& file, const std::shared_ptr<VRN_Optiongroup>& group,
                      std::int32_t key) {
    partOf = group;
    InForm = group->InForm;
    No_Display = group->No_Display;
    Key = key;
    setName(file.ReadFile("Option Name"));
    is_entity = file.ReadFileBoolean("Entity");
    entity_UID = file.ReadFile("PID");
    if (file.context().VRN_Running_Standalone && is_entity) {
        file.WarnAboutEntity(kOptionEntityWarning);
    }
    setDescription(file.ReadFile("Description"));
    Discussion = file.ReadFile("Discussion");
    color = file.ReadFileNumberText("Color");
    Key = file.ReadTagAndKey().key;
}

void VRN_Option::SetKey(std::int32_t& Val) {
    Key = Val;
}

void VRN_Option::Save(TaggedRecordWriter& file) {
    file.WriteLong("BEGIN Option", Key);
    file.WriteFile("Option Name", Name());
    file.WriteBoolean("Entity", is_entity);
    file.WriteFile("PID", entity_UID);
    file.WriteFile("Description", Description());
    file.WriteFile("Discussion", Discussion);
    file.WriteFile("Color", std::to_string(color));
    file.WriteLong("END Option", Key);
}

}  // namespace vrn
