#include "model/vrn_option.h"

#include "model/model_error.h"
#include "model/vrn_optiongroup.h"

namespace vrn {

void VRN_Option::Create(const std::string& name, const std::shared_ptr<VRN_Optiongroup>& group,
                        MatrixWindow* window, bool isEntity, const std::string& /*Opt_entity_UID*/,
                        std::int32_t /*Opt_entity_ID*/,
                        const std::shared_ptr<CatalogueEntity>& /*Opt_entity*/) {
    if (!group) {
        throw ModelError("An option needs the option group it belongs to.");
    }
    InForm = window;
    partOf = group;
    No_Display = group->No_Display;
    setName(name);
    group->Options.Add(shared_from_this());
    if (isEntity) {
        is_entity = true;
    }
}

}  // namespace vrn
