#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "model/layout/legend_design.h"
#include "model/reports/drawing_page.h"
#include "tests/model/document_fixture.h"
#include "tests/support/model_doubles/recording_drawing.h"

namespace vrn::testing {

// A document laid out on a recording window whose legend labels carry the texts "L0" to "L15",
// drawn on a recording page.
class DrawingFixture : public DocumentFixture {
protected:
    DrawingFixture() {
        const auto legend = layout::legendLabels();
        for (std::size_t i = 0; i < legend.size(); ++i) {
            auto& label = window.Label1(static_cast<int>(i));
            label.setText("L" + std::to_string(i));
            label.setLeft(legend[i].left);
            label.setTop(legend[i].top);
            label.setWidth(legend[i].width);
            label.setHeight(legend[i].height);
        }
    }

    std::shared_ptr<VRN_Matrix> LaidOutDocument(std::int16_t alternatives = 1) {
        auto document = NewDocument(alternatives);
        document->Draw(1, 1);
        return document;
    }

    // Lays `document` out again, as the window does after a View mark changed, and draws it.
    void Report(VRN_Matrix& document, bool create_HTML = false) {
        document.Draw(1, 1);
        document.ReportVisio(drawing, &drawing, drawing, create_HTML);
    }

    static RecordingShape& ShapeOf(const std::shared_ptr<ReportObject>& object) {
        auto* shape = dynamic_cast<RecordingShape*>(object.get());
        if (shape == nullptr) {
            throw std::logic_error("no shape was drawn for this element");
        }
        return *shape;
    }

    RecordingDrawing drawing;
};

}  // namespace vrn::testing
