#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/reports/drawing_cells.h"
#include "model/reports/drawing_rectangle.h"
#include "tests/model/reports/drawing_fixture.h"
#include "tests/support/model_doubles/recording_control.h"
#include "tests/support/model_doubles/recording_interaction_label.h"

namespace vrn::testing {
namespace {

constexpr char kRectangle[] = "Rectangle";
constexpr char kConnector[] = "Line connector";

using DrawingReportTest = DrawingFixture;

int VisibleLines(VRN_Matrix& document) {
    int count = 0;
    const auto countIn = [&count](const Collection<LineControl>& lines) {
        for (const auto& line : lines) {
            count += line->Visible() ? 1 : 0;
        }
    };
    countIn(document.Lines);
    countIn(document.Existing()->Lines);
    countIn(document.alternative()->Lines);
    return count;
}

TEST_F(DrawingReportTest, EveryVisibleLineBecomesOneConnectorBetweenItsEnds) {
    auto document = LaidOutDocument();
    document->Draw(1, 1);
    ASSERT_GE(document->Lines.Count(), 2);
    LineControl& shown = *document->Lines.Item(1);
    LineControl& hidden = *document->Lines.Item(2);
    shown.setX1(1500);
    shown.setY1(3000);
    shown.setX2(4500);
    shown.setY2(6000);
    shown.setVisible(true);
    hidden.setX1(7777);
    hidden.setVisible(false);

    document->ReportVisio(drawing, &drawing, drawing, false);

    const auto connectors = drawing.shapesOf(kConnector);
    EXPECT_EQ(static_cast<int>(connectors.size()), VisibleLines(*document));
    int matching = 0;
    for (const auto& connector : connectors) {
        EXPECT_NE(connector->Cell(cells::BeginX), 7777 / 1500.0) << "a hidden line was drawn";
        if (connector->Cell(cells::BeginX) == 1.0 && connector->Cell(cells::BeginY) == -2.0) {
            ++matching;
            EXPECT_DOUBLE_EQ(connector->Cell(cells::EndX), 3.0);
            EXPECT_DOUBLE_EQ(connector->Cell(cells::EndY), -4.0);
            EXPECT_DOUBLE_EQ(connector->Cell(cells::PinX), 1.0);
            EXPECT_DOUBLE_EQ(connector->Cell(cells::PinY), -2.0);
        }
    }
    EXPECT_EQ(matching, 1);
}

TEST_F(DrawingReportTest, NoConnectorWhenEveryLineIsHidden) {
    auto document = LaidOutDocument();
    for (const Collection<LineControl>* lines :
         {&document->Lines, &document->Existing()->Lines, &document->alternative()->Lines}) {
        for (const auto& line : *lines) {
            line->setVisible(false);
        }
    }
    document->ReportVisio(drawing, &drawing, drawing, false);
    EXPECT_TRUE(drawing.shapesOf(kConnector).empty());
}

TEST_F(DrawingReportTest, PracticeGroupsFollowTheViewMenu) {
    for (const bool groupsShown : {true, false}) {
        SCOPED_TRACE(groupsShown ? "groups shown" : "groups off");
        drawing = RecordingDrawing();
        mainView.setChecked(ViewMark::mnuViewPracticeGroups, groupsShown);
        auto document = NewDocument();
        Report(*document);

        for (const auto& state : {document->Existing(), document->alternative()}) {
            for (const auto& group : state->PGroups) {
                EXPECT_EQ(group->PG_VisioObject != nullptr, groupsShown) << group->Name();
                EXPECT_EQ(drawing.shapesWithText(group->Name()).size(), groupsShown ? 1u : 0u);
            }
            ASSERT_FALSE(state->Practices.Empty());
            for (const auto& practice : state->Practices) {
                ASSERT_NE(practice->VisioObject, nullptr) << practice->Name();
                EXPECT_EQ(ShapeOf(practice->VisioObject).text, practice->Name());
            }
        }
    }
}

TEST_F(DrawingReportTest, LegendsAndImportanceBoxesFollowTheViewMenu) {
    struct Case {
        bool legend;
        bool importance;
        bool interactionLegend;
        bool importanceLegend;
    };
    for (const Case& c : std::vector<Case>{{true, true, true, true},
                                           {true, false, true, false},
                                           {false, true, false, false},
                                           {false, false, false, false}}) {
        SCOPED_TRACE("legend " + std::to_string(c.legend) + ", importance " +
                     std::to_string(c.importance));
        drawing = RecordingDrawing();
        mainView.setChecked(ViewMark::mnuViewLegend, c.legend);
        mainView.setChecked(ViewMark::mnuViewImportance, c.importance);
        auto document = NewDocument();
        Report(*document);

        EXPECT_EQ(drawing.shapesWithText("Matrix Interaction").size(),
                  c.interactionLegend ? 1u : 0u);
        EXPECT_EQ(drawing.shapesWithText("Importance to Job").size(), c.importanceLegend ? 1u : 0u);
        for (int i = 0; i < 16; ++i) {
            const bool expected = i < 6 ? c.interactionLegend : c.importanceLegend;
            EXPECT_EQ(drawing.shapesWithText("L" + std::to_string(i)).size(), expected ? 1u : 0u)
                << "legend entry " << i;
        }
        for (const auto& practice : document->Existing()->Practices) {
            EXPECT_EQ(practice->ImportanceVisioObject != nullptr, c.importance);
        }
    }
}

TEST_F(DrawingReportTest, LegendEntriesAreWidenedAndAligned) {
    mainView.setChecked(ViewMark::mnuViewImportance, true);
    auto document = NewDocument();
    Report(*document);
    const auto entry = [this](int i) -> RecordingShape& {
        return *drawing.shapesWithText("L" + std::to_string(i)).at(0);
    };
    const WindowControl& frame = window.frmMatrixInteraction();
    // A meaning keeps its pin and is left-aligned; a symbol moves left by half its new width.
    EXPECT_DOUBLE_EQ(entry(0).Cell(cells::Width), 1.3 * (1900 / 1500.0f));
    EXPECT_EQ(entry(0).Cell(cells::ParaHorzAlign), 0);
    EXPECT_DOUBLE_EQ(entry(0).Cell(cells::PinX), (frame.left() + 600 + 950) / 1500.0f);
    EXPECT_DOUBLE_EQ(entry(3).Cell(cells::PinX),
                     (frame.left() + 150 + 200) / 1500.0f - entry(3).Cell(cells::Width) / 2);
    EXPECT_DOUBLE_EQ(entry(7).Cell(cells::Width), 1.5 * (400 / 1500.0f));
    // Every symbol stands left of where its meaning's text starts, on the same row.
    const auto startOf = [&](int i) {
        return entry(i).Cell(cells::PinX) - entry(i).Cell(cells::Width) / 2;
    };
    for (const auto& [meaning, symbol] : {std::pair{0, 3}, {1, 4}, {2, 5}, {6, 7}, {14, 15}}) {
        SCOPED_TRACE(meaning);
        EXPECT_LT(entry(symbol).Cell(cells::PinX), startOf(meaning));
        EXPECT_DOUBLE_EQ(entry(symbol).Cell(cells::PinY), entry(meaning).Cell(cells::PinY));
    }
    EXPECT_EQ(entry(6).style, "None");
}

TEST_F(DrawingReportTest, RectanglesComeFromTheirControl) {
    struct Case {
        const char* name;
        bool rotate;
        float widthAdjust;
        double width;
        double height;
        double angle;
    };
    RecordingControl control;
    control.setLeft(1500);
    control.setTop(3000);
    control.setWidth(3000);
    control.setHeight(600);
    control.setText("Cell");
    for (const Case& c : std::vector<Case>{
             {"plain", false, 0, 2.0, 0.4, 0.0},
             {"widened", false, 750, 2.5, 0.4, 0.0},
             {"rotated: width and height exchange", true, 0, 0.4, 2.0, std::numbers::pi / 2},
             {"rotated: no widening", true, 750, 0.4, 2.0, std::numbers::pi / 2}}) {
        SCOPED_TRACE(c.name);
        auto shape = std::static_pointer_cast<RecordingShape>(Visio_Rectangle(
            drawing, &drawing, drawing, control, true, c.rotate, 0, 0, c.widthAdjust, false));
        EXPECT_EQ(shape->master, kRectangle);
        EXPECT_NEAR(shape->Cell(cells::PinX), 2.0, 1e-6);  // (1500 + 3000 / 2) / 1500
        EXPECT_NEAR(shape->Cell(cells::PinY), -2.2, 1e-6);
        EXPECT_NEAR(shape->Cell(cells::Width), c.width, 1e-6);
        EXPECT_NEAR(shape->Cell(cells::Height), c.height, 1e-6);
        EXPECT_NEAR(shape->Cell(cells::Angle), c.angle, 1e-9);
        EXPECT_EQ(shape->text, "Cell");
    }
}

TEST_F(DrawingReportTest, OffsetsAndStyleOfARectangle) {
    RecordingControl control;
    control.setWidth(300);
    control.setHeight(300);
    auto plain = std::static_pointer_cast<RecordingShape>(
        Visio_Rectangle(drawing, &drawing, drawing, control, false, false, 1500, -1500, 0, true));
    EXPECT_NEAR(plain->Cell(cells::PinX), 1.1, 1e-6);
    EXPECT_NEAR(plain->Cell(cells::PinY), 0.9, 1e-6);
    EXPECT_EQ(plain->style, "None");
    EXPECT_EQ(plain->broughtToFront, 0);

    auto kept = std::static_pointer_cast<RecordingShape>(
        Visio_Rectangle(drawing, &drawing, drawing, control, true, false, 0, 0, 0, true));
    EXPECT_EQ(kept->style, "");
    EXPECT_EQ(kept->broughtToFront, 1);
}

TEST_F(DrawingReportTest, ALabelShowsItsCaptionWhateverUseCaptionSays) {
    RecordingInteractionLabel label;
    label.setText("+");
    for (const bool useCaption : {false, true}) {
        auto shape = std::static_pointer_cast<RecordingShape>(
            Visio_Rectangle(drawing, &drawing, drawing, label, false, false, 0, 0, 0, useCaption));
        EXPECT_EQ(shape->text, "+");
    }
}

TEST_F(DrawingReportTest, RotatedShapesAreTheTargetSideAndVerticalBands) {
    auto document = NewDocument();
    Report(*document);
    const auto angle = [](const std::shared_ptr<ReportObject>& object) {
        return ShapeOf(object).Cell(cells::Angle);
    };
    const auto& existing = document->Existing();
    const auto& target = document->alternative();
    EXPECT_EQ(angle(existing->Practices.Item(1)->VisioObject), 0);
    EXPECT_NEAR(angle(target->Practices.Item(1)->VisioObject), std::numbers::pi / 2, 1e-9);
    // Existing groups stand upright beside their rows; target groups lie along their columns.
    EXPECT_NEAR(angle(existing->PGroups.Item(1)->PG_VisioObject), std::numbers::pi / 2, 1e-9);
    EXPECT_EQ(angle(target->PGroups.Item(1)->PG_VisioObject), 0);

    const WindowControl& button = window.btnTarget();
    const auto targetTitle = drawing.shapes.at(1);
    EXPECT_NEAR(targetTitle->Cell(cells::Angle), std::numbers::pi / 2, 1e-9);
    EXPECT_NEAR(targetTitle->Cell(cells::Width), button.Height() / 1500.0f, 1e-6);
    EXPECT_NEAR(targetTitle->Cell(cells::Height), button.Width() / 1500.0f, 1e-6);
}

TEST_F(DrawingReportTest, OnlyElementsBoundToAnEntityGetALink) {
    auto document = NewDocument();
    const auto& practice = document->Existing()->Practices.Item(1);
    const auto& plainPractice = document->Existing()->Practices.Item(2);
    const auto& group = document->alternative()->PGroups.Item(1);
    const auto& interaction = document->Interactions.Item(1);
    practice->is_entity = true;
    practice->entity_ID = 42;
    group->is_entity = true;
    group->entity_ID = 7;
    interaction->is_entity = true;
    interaction->setEntity_ID(9);
    interaction->setEntity_name("Shared ledger");
    Report(*document);

    struct Case {
        std::shared_ptr<ReportObject> shape;
        std::shared_ptr<ReportObject> hyper;
        std::string handler;
        std::string description;
    };
    for (const Case& c : std::vector<Case>{
             {practice->VisioObject, practice->hyper, "top.show_activity('42')", practice->Name()},
             {group->PG_VisioObject, group->PG_hyper, "top.show_activity('7')", group->Name()},
             {interaction->VisioObject(), interaction->hyper(), "top.show_activity('9')",
              "Shared ledger"}}) {
        SCOPED_TRACE(c.description);
        const auto& links = ShapeOf(c.shape).links;
        ASSERT_EQ(links.size(), 1u);
        EXPECT_EQ(links[0], c.hyper);
        EXPECT_EQ(links[0]->address, "javascript:top.keep_place()");
        EXPECT_EQ(links[0]->clickHandler, c.handler);
        EXPECT_EQ(links[0]->description, c.description);
    }
    EXPECT_TRUE(ShapeOf(plainPractice->VisioObject).links.empty());
    EXPECT_EQ(plainPractice->hyper, nullptr);
    int linked = 0;
    for (const auto& shape : drawing.shapes) {
        linked += static_cast<int>(shape->links.size());
    }
    EXPECT_EQ(linked, 3);
}

TEST_F(DrawingReportTest, InteractionCellsAreSentToTheBack) {
    auto document = NewDocument(1);
    document->Interactions.Item(1)->is_entity = true;
    Report(*document);

    int sent = 0;
    std::vector<std::shared_ptr<VRN_MatrixInteraction>> interactions(document->Interactions.begin(),
                                                                     document->Interactions.end());
    for (const auto& state : {document->Existing(), document->alternative()}) {
        interactions.insert(interactions.end(), state->Interactions.begin(),
                            state->Interactions.end());
    }
    for (const auto& interaction : interactions) {
        if (!interaction->Display->Visible()) {
            EXPECT_EQ(interaction->VisioObject(), nullptr) << "a hidden cell was drawn";
            continue;
        }
        const RecordingShape& shape = ShapeOf(interaction->VisioObject());
        EXPECT_EQ(shape.sentToBack, 1);
        EXPECT_EQ(shape.style, "None");
        EXPECT_EQ(shape.text, interaction->Value());
        ++sent;
    }
    EXPECT_GT(sent, 0);
    int sentInAll = 0;
    for (const auto& shape : drawing.shapes) {
        sentInAll += shape->sentToBack;
    }
    EXPECT_EQ(sentInAll, sent) << "only interaction cells go to the back";
}

TEST_F(DrawingReportTest, ThePageIsNamedAndCentredLastAndNotExported) {
    auto document = NewDocument();
    document->title = "Lean <operations>";
    Report(*document);
    EXPECT_EQ(drawing.Name(), "Lean <operations>");
    EXPECT_EQ(drawing.calls, std::vector<std::string>{"CenterDrawing"});
    // The two axis titles come first, in the style of plain text.
    ASSERT_GE(drawing.shapes.size(), 2u);
    EXPECT_EQ(drawing.shapes[0]->text, window.btnExisting().text());
    EXPECT_EQ(drawing.shapes[0]->style, "None");
}

TEST_F(DrawingReportTest, TheTitleFrameHoldsTheActiveAlternativesDescription) {
    auto document = NewDocument(2);
    document->Description = "The matrix's own description";
    document->alternative(2)->Description = "Second target";
    document->use_alternative(true, 2);
    document->title = "Lean";
    Report(*document);

    const WindowControl& frame = window.FrameDescription();
    const auto boxes = drawing.shapesWithText("Second target");
    ASSERT_EQ(boxes.size(), 1u);
    const RecordingShape& box = *boxes[0];
    EXPECT_NEAR(box.Cell(cells::Width), 1.1 * ((frame.Width() - 250) / 1500.0f), 1e-6);
    EXPECT_EQ(box.Cell(cells::ParaHorzAlign), 0);
    EXPECT_EQ(box.Cell(cells::VerticalAlign), 0);
    EXPECT_DOUBLE_EQ(box.Cell(cells::TopMargin), 2 * (4.0 / 72));

    const auto titles = drawing.shapesWithText("Lean");
    ASSERT_EQ(titles.size(), 1u);
    const RecordingShape& title = *titles[0];
    EXPECT_DOUBLE_EQ(title.Cell(cells::PinX), box.Cell(cells::PinX));
    EXPECT_NEAR(title.Cell(cells::Width), (window.Label1(0).Width() + 500) / 1500.0f, 1e-6);
    const double frameTop = -(frame.top() + window.Label1(0).Height() / 2) / 1500.0f;
    EXPECT_NEAR(title.Cell(cells::PinY), frameTop + title.Cell(cells::Height) / 2, 1e-6);
}

TEST_F(DrawingReportTest, OnlyTheActiveAlternativeIsDrawn) {
    auto document = NewDocument(2);
    Report(*document);
    const auto first = document->alternative(1)->Practices.Item(1);
    const auto second = document->alternative(2)->Practices.Item(1);
    EXPECT_NE(first->VisioObject, nullptr);
    EXPECT_EQ(second->VisioObject, nullptr);

    document->use_alternative(true, 2);
    drawing = RecordingDrawing();
    Report(*document);
    EXPECT_NE(second->VisioObject, nullptr);
    EXPECT_EQ(drawing.shapes.end(),
              std::find(drawing.shapes.begin(), drawing.shapes.end(), first->VisioObject))
        << "the first alternative keeps its shape from the earlier drawing only";
}

TEST_F(DrawingReportTest, WhatTheWindowDoesNotShowIsNotDrawn) {
    auto document = NewDocument();
    Report(*document);  // every element gets a shape and a place on the window
    const auto& group = document->Existing()->PGroups.Item(1);
    const auto hiddenPractice = group->PracticeParts.Item(1);
    const auto earlierGroupShape = group->PG_VisioObject;
    std::vector<std::shared_ptr<ReportObject>> earlierInteractionShapes;
    for (const auto& interaction : hiddenPractice->Interactions) {
        earlierInteractionShapes.push_back(interaction->VisioObject());
    }
    group->DisplayPG = false;
    drawing = RecordingDrawing();
    Report(*document);

    EXPECT_TRUE(drawing.shapesWithText(group->Name()).empty());
    EXPECT_TRUE(drawing.shapesWithText(hiddenPractice->Name()).empty());
    EXPECT_EQ(group->PG_VisioObject, earlierGroupShape) << "the switched-off group was drawn";
    ASSERT_FALSE(earlierInteractionShapes.empty());
    for (int i = 1; i <= hiddenPractice->Interactions.Count(); ++i) {
        const auto& interaction = hiddenPractice->Interactions.Item(i);
        EXPECT_FALSE(interaction->Display->Visible());
        EXPECT_EQ(interaction->VisioObject(),
                  earlierInteractionShapes[static_cast<std::size_t>(i - 1)])
            << "a hidden interaction cell was drawn";
    }
}

TEST_F(DrawingReportTest, AMatrixWithoutAlternativesDrawsItsExistingSide) {
    auto document = NewDocument(0);
    Report(*document);
    EXPECT_NE(document->Existing()->Practices.Item(1)->VisioObject, nullptr);
    EXPECT_EQ(drawing.calls, std::vector<std::string>{"CenterDrawing"});
}

TEST_F(DrawingReportTest, AnUnknownMasterEndsTheDrawingWithTheShapesSoFar) {
    class NoConnectors : public RecordingDrawing {
    public:
        const DrawingMaster& Item(const std::string& name) const override {
            if (name == "Line connector") {
                throw DrawingError("The stencil has no master called 'Line connector'.");
            }
            return RecordingDrawing::Item(name);
        }
    } page;
    auto document = NewDocument();
    document->Draw(1, 1);
    EXPECT_THROW(document->ReportVisio(page, &page, page, false), DrawingError);
    EXPECT_FALSE(page.shapes.empty());
    EXPECT_TRUE(page.calls.empty());
}

}  // namespace
}  // namespace vrn::testing
