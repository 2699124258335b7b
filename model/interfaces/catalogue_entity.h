#pragma once

#include <string>

#include "model/interfaces/catalogue_object.h"
#include "model/interfaces/catalogue_value.h"

namespace vrn {

// A catalogue entity handed in by a host program (none in the stand-alone program). Errors of
// the catalogue (an attribute that does not apply) are exceptions that reach the model's caller.
class CatalogueEntity : public CatalogueObject {
public:
    virtual std::string Name() const = 0;
    // "kt_PIFID" gives the entity's unique identifier as text, "kt_ID" its numeric identifier.
    virtual CatalogueValue GetAttributeValue(const std::string& attributeName) const = 0;
    // Stores `value` in the entity's own attribute `attributeName`, making the attribute when
    // the entity has none of that name.
    virtual void SetAttributeValue(const std::string& attributeName,
                                   const CatalogueValue& value) = 0;
};

}  // namespace vrn
