#pragma once

#include <utility>

#include "model/interfaces/catalogue_attribute.h"

namespace vrn::testing {

class FakeCatalogueAttribute : public CatalogueAttribute {
public:
    explicit FakeCatalogueAttribute(CatalogueValue value) : value_(std::move(value)) {}
    CatalogueValue Value() const override { return value_; }

private:
    CatalogueValue value_;
};

}  // namespace vrn::testing
