#pragma once

#include <memory>

#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/matrix_window_callbacks.h"
#include "model/interfaces/matrix_window_controls.h"

namespace vrn {

// The matrix window that shows one document (the elements' `InForm`). The window owns its
// document, so it outlives it; elements hold it as a plain pointer.
class MatrixWindow : public MatrixWindowCallbacks, public MatrixWindowControls {
public:
    // The catalogue entity the window was opened for; none in the stand-alone program.
    virtual std::shared_ptr<CatalogueEntity> ent() const = 0;
};

}  // namespace vrn
