#pragma once

#include "model/interfaces/catalogue_object.h"
#include "model/interfaces/catalogue_value.h"

namespace vrn {

// A catalogue attribute (or relation attribute); an interaction reads its value as text.
class CatalogueAttribute : public CatalogueObject {
public:
    virtual CatalogueValue Value() const = 0;
};

}  // namespace vrn
