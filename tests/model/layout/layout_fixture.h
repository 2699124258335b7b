#pragma once

#include <memory>

#include "tests/model/document_fixture.h"
#include "tests/model/layout/layout_snapshot.h"

namespace vrn::testing {

// A document drawn as a new window draws it, with helpers to reach its cells.
class LayoutFixture : public DocumentFixture {
protected:
    std::shared_ptr<VRN_Matrix> DrawnDocument(std::int16_t alternatives = 1) {
        auto document = NewDocument(alternatives);
        document->Draw(1, 1);
        return document;
    }

    static const WindowControl& CellOf(const std::shared_ptr<VRN_Practice>& practice) {
        return *practice->Display;
    }
    static float MiddleX(const WindowControl& control) {
        return control.left() + control.Width() / 2;
    }
    static float MiddleY(const WindowControl& control) {
        return control.top() + control.Height() / 2;
    }

    // Gives every interaction cell the size a real window's design label has; the layout sizes
    // only the cross cells itself.
    void GiveInteractionCellsADesignSize(float width, float height) {
        for (const auto& record : window.interactionCells()) {
            record.control->setWidth(width);
            record.control->setHeight(height);
        }
    }
};

}  // namespace vrn::testing
