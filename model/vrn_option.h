#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/matrix_window.h"
#include "model/interfaces/report_object.h"
#include "model/interfaces/window_control.h"
#include "model/model_fwd.h"
#include "model/option_texts.h"

namespace vrn {

// One answer of an option group, with its own description, discussion and colour.
// Read, SetKey and Save live in model/file.
class VRN_Option : public std::enable_shared_from_this<VRN_Option>, public OptionTexts<VRN_Option> {
public:
    // Fields in the order of the component's interface.
    bool No_Display = false;
    std::shared_ptr<ReportObject> OG_hyper;
    bool is_entity = false;
    std::int32_t entity_ID = 0;
    std::int16_t entity_type = 0;
    std::string entity_UID;  // "PID" in the file
    std::weak_ptr<VRN_Optiongroup> partOf;
    std::int32_t color = 0;
    MatrixWindow* InForm = nullptr;
    std::shared_ptr<WindowControl> Display;  // nothing attaches one yet
    std::string Discussion;
    std::int32_t Key = 0;

    // Name and Description come from OptionTexts.

    // Appends the option to `partOf`'s options. Only `Opt_is_entity` of the entity arguments is
    // kept: callers that copy a bound option set entity_UID themselves.
    void Create(const std::string& Name, const std::shared_ptr<VRN_Optiongroup>& partOf,
                MatrixWindow* InForm, bool Opt_is_entity = false,
                const std::string& Opt_entity_UID = {}, std::int32_t Opt_entity_ID = 0,
                const std::shared_ptr<CatalogueEntity>& Opt_entity = nullptr);

    // Files (model/file). Read takes one option after its BEGIN record (whose key is `Key`)
    // into this new option, appended to `partOf`'s options.
    void Read(MatrixFileReader& file, const std::shared_ptr<VRN_Optiongroup>& partOf,
              std::int32_t Key);
    void SetKey(std::int32_t& Val);
    void Save(TaggedRecordWriter& file);
};

}  // namespace vrn
