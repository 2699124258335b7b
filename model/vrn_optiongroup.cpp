#include "model/vrn_optiongroup.h"

#include "model/model_error.h"
#include "model/vrn_practice.h"

namespace vrn {

void VRN_Optiongroup::Create(const std::string& name, const std::shared_ptr<VRN_Practice>& practice,
                             MatrixWindow* window, bool isEntity, const std::string& entityUID,
                             std::int32_t entityID,
                             const std::shared_ptr<CatalogueEntity>& /*og_entity*/,
                             bool /*Make_empty*/) {
    if (!practice) {
        throw ModelError("An option group needs the practice it belongs to.");
    }
    InForm = window;
    partOf = practice;
    No_Display = practice->No_Display;
    setName(name);
    practice->OptionGroup = shared_from_this();
    if (isEntity) {
        is_entity = true;
        entity_UID = entityUID;
        entity_ID = entityID;
    }
}

}  // namespace vrn
