#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "model/interfaces/catalogue_entity.h"

namespace vrn::testing {

// A catalogue entity with a name and a table of attribute values; asking for an attribute it
// does not have fails as the catalogue does. Setting an attribute adds it to the table.
class FakeCatalogueEntity : public CatalogueEntity {
public:
    explicit FakeCatalogueEntity(std::string name,
                                 std::map<std::string, CatalogueValue> attributes = {})
        : name_(std::move(name)), attributes_(std::move(attributes)) {}

    std::string Name() const override { return name_; }
    CatalogueValue GetAttributeValue(const std::string& attributeName) const override {
        const auto found = attributes_.find(attributeName);
        if (found == attributes_.end()) {
            throw std::runtime_error(
                "This system generated attribute does not apply to the current entity type.");
        }
        return found->second;
    }
    void SetAttributeValue(const std::string& attributeName, const CatalogueValue& value) override {
        if (refuseChanges_) {
            throw std::runtime_error("You cannot make any changes to a deleted entity.");
        }
        attributes_[attributeName] = value;
    }

    // Makes every later SetAttributeValue fail as the catalogue does for a deleted entity.
    void refuseChanges() { refuseChanges_ = true; }

private:
    std::string name_;
    std::map<std::string, CatalogueValue> attributes_;
    bool refuseChanges_ = false;
};

}  // namespace vrn::testing
