// The matrix as a drawing: every element drops the shapes of the controls that show it on the
// window, so the drawing follows the window's current layout and View marks.
#include <memory>
#include <string>

#include "model/model_error.h"
#include "model/reports/drawing_cells.h"
#include "model/reports/drawing_page.h"
#include "model/reports/drawing_rectangle.h"
#include "model/reports/html_export_publish.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

constexpr char kConnectorMaster[] = "Line connector";
constexpr char kInteractionLegendTitle[] = "Matrix Interaction";
constexpr char kImportanceLegendTitle[] = "Importance to Job";
constexpr int kFirstInteractionLabel = 0;
constexpr int kLastInteractionLabel = 5;
constexpr int kFirstImportanceLabel = 6;
constexpr int kLastImportanceLabel = 15;
constexpr float kDescriptionNarrowing = -250;     // twips
constexpr float kDescriptionTitleWidening = 500;  // twips
constexpr double kLeftAligned = 0;
constexpr double kTopAligned = 0;

const ComponentContext& ContextOf(const std::weak_ptr<VRN_Matrix>& document) {
    const auto matrix = document.lock();
    if (!matrix) {
        throw ModelError("An element that no longer belongs to a matrix cannot be drawn.");
    }
    return matrix->Context;
}

// A display the window does not show (a switched-off group, an axis turned off) still holds the
// place of an earlier layout; the drawing leaves it out, as the window does.
bool Shown(const WindowControl* control) {
    return control != nullptr && control->Visible();
}

// A link that tells the page holding the drawing which catalogue entity was clicked.
std::shared_ptr<DrawingHyperlink> AddEntityLink(DrawingShape& shape, std::int32_t entityId,
                                                const std::string& description) {
    auto link = shape.AddHyperlink();
    link->setAddress("javascript:top.keep_place()");
    link->setClickHandler("top.show_activity('" + std::to_string(entityId) + "')");
    link->setDescription(description);
    return link;
}

void DrawLines(DrawingPage& page, DrawingMasters& masters, const Collection<LineControl>& lines) {
    const DrawingMaster* connector = nullptr;
    for (const auto& line : lines) {
        if (!line->Visible()) {
            continue;
        }
        if (connector == nullptr) {
            connector = &masters.Item(kConnectorMaster);
        }
        auto shape = page.Drop(*connector, DrawingLength(line->X1()), DrawingY(line->Y1()));
        shape->setCell(cells::BeginX, DrawingLength(line->X1()));
        shape->setCell(cells::BeginY, DrawingY(line->Y1()));
        shape->setCell(cells::EndX, DrawingLength(line->X2()));
        shape->setCell(cells::EndY, DrawingY(line->Y2()));
    }
}

// Puts `title` centred on the top edge of `frame`.
void PlaceTitleOn(DrawingShape& title, const DrawingShape& frame) {
    title.setCell(cells::PinX, frame.Cell(cells::PinX));
    title.setCell(cells::PinY, title.Cell(cells::PinY) + title.Cell(cells::Height) / 2);
}

void ScaleWidth(DrawingShape& shape, double factor) {
    shape.setCell(cells::Width, factor * shape.Cell(cells::Width));
}

void DrawDescription(VRN_Matrix& document, const VRN_State& alternative, DrawingPage& page,
                     DrawingStencil* stencil, DrawingMasters& masters) {
    MatrixWindow& window = *document.InForm;
    const WindowControl& frame = window.FrameDescription();
    auto box = Visio_Rectangle(page, stencil, masters, frame, true, false, 0, 0,
                               kDescriptionNarrowing, true);
    box->setText(alternative.Description);
    box->setCell(cells::ParaHorzAlign, kLeftAligned);
    box->setCell(cells::VerticalAlign, kTopAligned);
    box->setCell(cells::TopMargin, 2 * box->Cell(cells::TopMargin));
    ScaleWidth(*box, 1.1);

    const WindowControl& label = window.Label1(0);
    auto title =
        Visio_Rectangle(page, stencil, masters, label, true, false, frame.left() - label.left(),
                        frame.top() - label.top(), kDescriptionTitleWidening, true);
    title->setText(document.title);
    PlaceTitleOn(*title, *box);
}

// A legend frame with its title on its top edge.
std::shared_ptr<DrawingShape> DrawLegendFrame(MatrixWindow& window, const WindowControl& frame,
                                              const std::string& caption, DrawingPage& page,
                                              DrawingStencil* stencil, DrawingMasters& masters) {
    auto box = Visio_Rectangle(page, stencil, masters, frame, true, false, 0, 0, 0, true);
    box->setText("");
    ScaleWidth(*box, 1.2);
    // The title is placed from the interaction legend for both legends; the layout gives both
    // frames the same top, and the pin is then moved onto this frame.
    const WindowControl& label = window.Label1(0);
    const WindowControl& interactions = window.frmMatrixInteraction();
    auto title = Visio_Rectangle(page, stencil, masters, label, true, false,
                                 interactions.left() - label.left(),
                                 interactions.top() - label.top(), 0, true);
    title->setText(caption);
    PlaceTitleOn(*title, *box);
    return box;
}

void DrawLegends(const ComponentContext& context, MatrixWindow& window, DrawingPage& page,
                 DrawingStencil* stencil, DrawingMasters& masters) {
    const WindowControl& interactions = window.frmMatrixInteraction();
    DrawLegendFrame(window, interactions, kInteractionLegendTitle, page, stencil, masters);
    for (int i = kFirstInteractionLabel; i <= kLastInteractionLabel; ++i) {
        auto entry = Visio_Rectangle(page, stencil, masters, window.Label1(i), false, false,
                                     interactions.left(), interactions.top(), 0, true);
        ScaleWidth(*entry, 1.3);
        if (i < 3) {
            entry->setCell(cells::ParaHorzAlign, kLeftAligned);
        } else {
            entry->setCell(cells::PinX, entry->Cell(cells::PinX) - entry->Cell(cells::Width) / 2);
        }
    }
    if (!context.viewChecked(ViewMark::mnuViewImportance)) {
        return;
    }
    const WindowControl& importance = window.frmImportance();
    DrawLegendFrame(window, importance, kImportanceLegendTitle, page, stencil, masters);
    for (int i = kFirstImportanceLabel; i <= kLastImportanceLabel; ++i) {
        // The entries sit inside the importance frame, which shares the interaction legend's top.
        auto entry = Visio_Rectangle(page, stencil, masters, window.Label1(i), false, false,
                                     importance.left(), interactions.top(), 0, true);
        if (i % 2 == 0) {
            ScaleWidth(*entry, 1.3);
            entry->setCell(cells::ParaHorzAlign, kLeftAligned);
        } else {
            ScaleWidth(*entry, 1.5);
            entry->setCell(cells::PinX,
                           entry->Cell(cells::PinX) - 2 * entry->Cell(cells::Width) / 3);
        }
    }
}

}  // namespace

void VRN_Matrix::ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil,
                             DrawingMasters& objMasters, bool create_HTML) {
    if (InForm == nullptr) {
        throw ModelError("A matrix without a window cannot be drawn.");
    }
    MatrixWindow& window = *InForm;
    objPage.setName(title);
    Visio_Rectangle(objPage, objStencil, objMasters, window.btnExisting(), false, false, 0, 0, 0,
                    false);
    Visio_Rectangle(objPage, objStencil, objMasters, window.btnTarget(), false, true, 0, 0, 0,
                    false);

    Existing()->ReportVisio(objPage, objStencil, objMasters);
    // Only the active alternative is on the window; a matrix without one draws its existing side.
    const auto active = activeAlternative();
    if (active) {
        active->ReportVisio(objPage, objStencil, objMasters);
    }
    DrawLines(objPage, objMasters, Lines);
    for (const auto& interaction : Interactions) {
        interaction->ReportVisio(objPage, objStencil, objMasters);
    }
    if (Context.viewChecked(ViewMark::mnuViewTitle) && active) {
        DrawDescription(*this, *active, objPage, objStencil, objMasters);
    }
    if (Context.viewChecked(ViewMark::mnuViewLegend)) {
        DrawLegends(Context, window, objPage, objStencil, objMasters);
    }
    objPage.CenterDrawing();
    if (create_HTML) {
        PublishDrawingAsHtml(*this, objPage);
    }
}

void VRN_State::ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil,
                            DrawingMasters& objMasters) {
    if (ContextOf(InMatrix).viewChecked(ViewMark::mnuViewPracticeGroups)) {
        for (const auto& group : PGroups) {
            group->ReportVisio(objPage, objStencil, objMasters);
        }
    } else {
        for (const auto& practice : Practices) {
            practice->ReportVisio(objPage, objStencil, objMasters, false);
        }
    }
    DrawLines(objPage, objMasters, Lines);
    for (const auto& interaction : Interactions) {
        interaction->ReportVisio(objPage, objStencil, objMasters);
    }
}

void VRN_PracticeGroup::ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil,
                                    DrawingMasters& objMasters) {
    if (!Shown(Display.get())) {
        return;
    }
    auto shape = Visio_Rectangle(objPage, objStencil, objMasters, *Display, true, !horizontal(), 0,
                                 0, 0, false);
    PG_VisioObject = shape;
    if (is_entity) {
        PG_hyper = AddEntityLink(*shape, entity_ID, Name());
    }
    for (const auto& practice : PracticeParts) {
        practice->ReportVisio(objPage, objStencil, objMasters, false);
    }
}

void VRN_Practice::ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil,
                               DrawingMasters& objMasters, bool /*create_HTML*/) {
    if (!Shown(Display.get())) {
        return;
    }
    auto shape = Visio_Rectangle(objPage, objStencil, objMasters, *Display, true, horizontal, 0, 0,
                                 0, false);
    VisioObject = shape;
    if (is_entity) {
        hyper = AddEntityLink(*shape, entity_ID, Name());
    }
    if (ContextOf(InMatrix).viewChecked(ViewMark::mnuViewImportance) && Shown(Importance.get())) {
        ImportanceVisioObject = Visio_Rectangle(objPage, objStencil, objMasters, *Importance, true,
                                                false, 0, 0, 0, false);
    }
}

void VRN_MatrixInteraction::ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil,
                                        DrawingMasters& objMasters) {
    if (!Shown(Display.get())) {
        return;
    }
    auto shape =
        Visio_Rectangle(objPage, objStencil, objMasters, *Display, false, false, 0, 0, 0, true);
    setVisioObject(shape);
    if (is_entity) {
        setHyper(AddEntityLink(*shape, entity_ID(), Entity_name()));
    }
    shape->SendToBack();
}

}  // namespace vrn
