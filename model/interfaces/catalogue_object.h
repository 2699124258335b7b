#pragma once

namespace vrn {

// Any object of the catalogue that a host hands to the model: an entity, a relation, an
// attribute, an exception. The model only keeps such objects and asks the few members below.
class CatalogueObject {
public:
    virtual ~CatalogueObject() = default;
};

}  // namespace vrn
