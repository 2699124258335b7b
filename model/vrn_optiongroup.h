#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/collection.h"
#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/matrix_window.h"
#include "model/interfaces/report_object.h"
#include "model/interfaces/window_control.h"
#include "model/model_fwd.h"
#include "model/option_texts.h"

namespace vrn {

// The question a practice may carry about how it is carried out (`Prompt`), with the options
// that answer it. A practice holds at most one; the options editor and the reader build them.
// Read, SetKey and Save live in model/file.
class VRN_Optiongroup : public std::enable_shared_from_this<VRN_Optiongroup>,
                        public OptionTexts<VRN_Optiongroup> {
public:
    // Fields in the order of the component's interface.
    bool No_Display = false;
    std::int32_t Key = 0;
    std::shared_ptr<ReportObject> OG_hyper;
    bool is_entity = false;
    std::int32_t entity_ID = 0;
    std::int16_t entity_type = 0;
    std::string entity_UID;  // "PID" in the file
    std::string Prompt;
    std::weak_ptr<VRN_Practice> partOf;
    MatrixWindow* InForm = nullptr;
    std::shared_ptr<WindowControl> Display;  // nothing attaches one yet
    Collection<VRN_Option> Options;
    std::string Discussion;
    bool Enabled = false;

    // Name and Description come from OptionTexts.

    // Makes this the option group of `partOf` (replacing any it had), without options.
    // `og_entity` and `Make_empty` are not used.
    void Create(const std::string& Name, const std::shared_ptr<VRN_Practice>& partOf,
                MatrixWindow* InForm, bool OG_is_entity = false,
                const std::string& OG_entity_UID = {}, std::int32_t OG_entity_ID = 0,
                const std::shared_ptr<CatalogueEntity>& og_entity = nullptr,
                bool Make_empty = false);

    // Files (model/file). Read takes one OptionGroup record, its BEGIN record included, into
    // this new option group of `partOf`; `Key` receives the key of the record that ended it.
    void Read(MatrixFileReader& file, const std::shared_ptr<VRN_Practice>& partOf,
              std::int32_t& Key);
    void SetKey(std::int32_t& Val);
    void Save(TaggedRecordWriter& file);
};

}  // namespace vrn
