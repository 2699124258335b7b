#include <algorithm>
#include <string>

#include "model/layout/control_geometry.h"
#include "model/layout/layout_offsets.h"
#include "model/layout/line_pool.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

// The axis title buttons grow thicker with the practice font.
float AxisButtonThickness(std::int16_t fontSize) {
    if (fontSize <= layout::kAxisButtonThinFont) {
        return layout::kAxisButtonThin;
    }
    return fontSize <= layout::kAxisButtonMediumFont ? layout::kAxisButtonMedium
                                                     : layout::kAxisButtonThick;
}

// The cell of the first or last practice of a state; null when the state has none.
const WindowControl* FirstCell(const VRN_State* state) {
    if (state == nullptr || state->Practices.Empty()) {
        return nullptr;
    }
    return state->Practices.Item(1)->Display.get();
}
const WindowControl* LastCell(const VRN_State* state) {
    if (state == nullptr || state->Practices.Empty()) {
        return nullptr;
    }
    return state->Practices.Item(state->Practices.Count())->Display.get();
}

void PaintBackground(MatrixWindow& window, std::int32_t color) {
    window.setBackColor(color);
    for (WindowControl* control :
         {&window.btnExisting(), &window.btnTarget(), &window.FrameDescription(),
          &window.txtDescription(), &window.lblFooter(), &window.frmMatrixInteraction(),
          &window.frmImportance(), &window.frameAttribution(), &window.txtAuthors(),
          &window.txtAssignment(), &window.lblModifiedWhen(), &window.txtReview(),
          &window.txtSources(), &window.txtDocumentation(), &window.txtFooter()}) {
        control->setBackColor(color);
    }
}

// The counter sits beside the step-up button; MoveBy places it again rather than shifting it.
void PlaceAlternativeCounter(MatrixWindow& window) {
    const WindowControl& up = window.btnUpAlt();
    window.LblAltNum().setTop(up.top() + up.Height() / 2.0f);
    window.LblAltNum().setLeft(up.left() + up.Width() * 1.2f);
}

void SetAlternativeControlsVisible(MatrixWindow& window, bool visible) {
    window.ThickLines(0).setVisible(visible);
    window.ThickLines(1).setVisible(visible);
    window.btnUpAlt().setVisible(visible);
    window.btnDownAlt().setVisible(visible);
    window.LblAltNum().setVisible(visible);
}

// The stepping buttons, the counter and the two lines that draw the stack of alternatives
// behind the target band, placed from the sort buttons that the states have placed.
void PlaceAlternativeControls(const VRN_Matrix& document, MatrixWindow& window, bool showAlt,
                              bool showExisting, bool groupsShown) {
    WindowControl& up = window.btnUpAlt();
    WindowControl& down = window.btnDownAlt();
    LineControl& stack = window.ThickLines(0);
    LineControl& slant = window.ThickLines(1);
    if (document.Alt_count < 2) {
        SetAlternativeControlsVisible(window, false);
    } else {
        const auto width = static_cast<std::int16_t>(std::min<int>(document.Alt_count - 1, 4));
        stack.setBorderWidth(width);
        slant.setBorderWidth(width);
        SetAlternativeControlsVisible(window, showAlt);
        if (showAlt) {
            window.LblAltNum().setText(std::to_string(document.Alt_i) + " of " +
                                       std::to_string(document.Alt_count));
        } else {
            window.btnShowHorPGs().setVisible(false);
        }
        up.setEnabled(document.Alt_i != 1);
        down.setEnabled(document.Alt_i != document.Alt_count);
    }

    const WindowControl& sortDown = window.btnSortDown();
    const WindowControl& sortRight = window.btnSortRight();
    const float practiceHeight = WholeTwips(document.VRN_PracticeHeight);
    const float importanceHeight = window.Importance() ? practiceHeight : 0;
    const float groupHeight = groupsShown ? practiceHeight : 0;
    stack.setX1(sortDown.left() + layout::kAlternativeLineInset);
    stack.setX2(stack.X1());
    stack.setY1(sortDown.top() - (groupHeight + document.VRN_PracticeWidth + importanceHeight));
    stack.setY2(showAlt && showExisting ? sortRight.top() - layout::kAlternativeLineInset
                                        : sortDown.top());
    up.setLeft(sortDown.left());
    down.setLeft(sortDown.left());
    up.setTop(stack.Y1() + groupHeight);
    down.setTop(up.top() + up.Height());
    PlaceAlternativeCounter(window);
    const float d = WholeTwips((sortDown.left() - sortRight.left()) / 2.0f);
    slant.setX1(stack.X1());
    slant.setY1(stack.Y1());
    slant.setX2(slant.X1() - d);
    slant.setY2(slant.Y1() - d);
}

// A line under every existing row across the target columns, and one right of every target
// column down the existing rows. A grid needs both axes to have practices.
void DrawGrid(Collection<LineControl>& pool, MatrixWindow& window, const VRN_State& existing,
              const VRN_State* target, bool visible) {
    const WindowControl* firstColumn = FirstCell(target);
    const WindowControl* lastColumn = LastCell(target);
    const WindowControl* firstRow = FirstCell(&existing);
    const WindowControl* lastRow = LastCell(&existing);
    if (!firstColumn || !lastColumn || !firstRow || !lastRow) {
        return;
    }
    LinePool grid(pool, window);
    const float gridLeft = firstColumn->left();
    const float gridRight = lastColumn->left() + lastColumn->Width();
    for (const auto& practice : existing.Practices) {
        if (practice->Display) {
            const float b = practice->Display->top() + practice->Display->Height();
            PlaceLine(grid.Next(), gridLeft, b, gridRight, b, visible);
        }
    }
    const float gridTop = firstRow->top();
    const float gridBottom = lastRow->top() + lastRow->Height();
    for (const auto& practice : target->Practices) {
        if (practice->Display) {
            const float r = practice->Display->left() + practice->Display->Width();
            PlaceLine(grid.Next(), r, gridTop, r, gridBottom, visible);
        }
    }
}

// The axis titles sit at the corner where the first row and the first column meet.
void PlaceAxisButtons(MatrixWindow& window, const WindowControl* firstRow,
                      const WindowControl* firstColumn, bool importanceShown) {
    if (firstRow == nullptr) {
        return;
    }
    WindowControl& existingTitle = window.btnExisting();
    existingTitle.setLeft(firstRow->left() - firstRow->Height() / 2.0f);
    existingTitle.setTop(firstRow->top() - firstRow->Height() / 2.0f);
    if (firstColumn == nullptr) {
        return;
    }
    WindowControl& targetTitle = window.btnTarget();
    const float above = importanceShown ? firstColumn->Width() : 0;
    targetTitle.setTop(existingTitle.top() - targetTitle.Height() - above);
    targetTitle.setLeft(firstColumn->left() - firstColumn->Width() / 2.0f);
}

// The title frame in the top-left corner, holding the alternative's description.
void PlaceDescription(const VRN_Matrix& document, MatrixWindow& window, const VRN_State* target,
                      const WindowControl* firstRow, const WindowControl* firstColumn) {
    WindowControl& frame = window.FrameDescription();
    // Without an alternative there is no description to show, nor a corner to show it in.
    if (!document.Context.viewChecked(ViewMark::mnuViewTitle) || target == nullptr) {
        frame.setVisible(false);
        return;
    }
    const float groupHeight = document.VRN_PracticeGrpHeight;
    const float gap = WholeTwips(groupHeight * 0.25f);
    if (firstRow != nullptr) {
        if (firstColumn != nullptr) {
            frame.setTop(firstColumn->top() - (gap * 4.5f + groupHeight));
        }
        frame.setLeft(firstRow->left() - (gap * 3.5f + groupHeight));
    }
    frame.setWidth(groupHeight + gap + document.VRN_PracticeWidth);
    frame.setHeight(groupHeight + document.VRN_PracticeWidth + 2 * gap);
    WindowControl& text = window.txtDescription();
    text.setWidth(frame.Width() - 2 * layout::kDescriptionTextMargin);
    text.setHeight(frame.Height() - text.top() - layout::kDescriptionTextMargin);
    text.setText(target->Description);
    text.setFontsize(document.VRN_Practice_Font_Size);
    frame.setFontsize(document.VRN_Practice_Font_Size);
    // The frame's caption is the matrix title, so that an opened file shows its own.
    frame.setText(document.title);
    frame.setVisible(true);
}

// The two legends below the existing column. Returns the height they take.
float PlaceLegends(const VRN_Matrix& document, MatrixWindow& window, float legendTop,
                   const WindowControl* firstRow) {
    WindowControl& interactions = window.frmMatrixInteraction();
    WindowControl& importance = window.frmImportance();
    if (!document.Context.viewChecked(ViewMark::mnuViewLegend)) {
        interactions.setVisible(false);
        importance.setVisible(false);
        return 0;
    }
    if (firstRow != nullptr) {
        interactions.setTop(legendTop);
        interactions.setLeft(firstRow->left());
    }
    importance.setTop(interactions.top());
    importance.setLeft(interactions.left() + interactions.Width() * 4.0f / 3.0f);
    interactions.setVisible(true);
    if (document.Context.viewChecked(ViewMark::mnuViewImportance)) {
        importance.setVisible(true);
        return importance.Height();
    }
    importance.setVisible(false);
    return interactions.Height();
}

// The attribution block under the legends, or the footer line in its place.
void PlaceAttribution(const VRN_Matrix& document, MatrixWindow& window, float x, float top) {
    if (!document.Context.viewChecked(ViewMark::mnuViewAttribution)) {
        window.frameAttribution().setVisible(false);
        window.lblFooter().setText(document.footer);
        window.lblFooter().setVisible(true);
        return;
    }
    WindowControl& frame = window.frameAttribution();
    frame.setTop(top);
    // From the layout origin, so that a redraw while scrolled leaves the block where scrolling
    // put it.
    frame.setLeft(x + layout::kAttributionIndent);
    window.txtAuthors().setText(document.Authors);
    window.txtAssignment().setText(document.Assignment);
    window.lblModifiedWhen().setText(document.Modified);
    window.txtReview().setText(document.Review);
    window.txtSources().setText(document.Sources);
    window.txtDocumentation().setText(document.Distribution);
    window.txtFooter().setText(document.footer);
    window.chkLock().setValue(document.locked);
    window.chkLock().setEnabled(!document.locked);
    frame.setVisible(true);
    window.lblFooter().setVisible(false);
}

}  // namespace

void VRN_Matrix::Draw(float x, float Y) {
    if (No_Display || InForm == nullptr) {
        return;
    }
    MatrixWindow& window = *InForm;
    if (Context.MainForm != nullptr) {
        Context.MainForm->setMnuFileSaveEnabled(!locked);
    }
    window.HideObjDisplays();
    if (window.BackColor() != User_FormBackgroundColor) {
        PaintBackground(window, User_FormBackgroundColor);
    }

    top = Y;
    left = x;
    window.setImportance(Context.viewChecked(ViewMark::mnuViewImportance));
    const bool showAlt = Context.viewChecked(ViewMark::mnuViewAlternatives);
    const bool showExisting = Context.viewChecked(ViewMark::mnuViewExisting);
    const bool groupsShown = Context.viewChecked(ViewMark::mnuViewPracticeGroups);

    const float thickness = AxisButtonThickness(VRN_Practice_Font_Size);
    for (WindowControl* title : {&window.LblAltNum(), &window.btnTarget(), &window.btnExisting()}) {
        title->setFontsize(VRN_Practice_Font_Size);
    }
    window.btnTarget().setWidth(thickness);
    window.btnExisting().setHeight(thickness);
    window.btnExisting().ZOrder(1);
    window.btnTarget().ZOrder(1);

    // The target band starts where the existing state's drawing ends on the right; then the
    // existing state moves down below it. A document without alternatives shows its existing
    // state alone.
    const auto& existing = Existing();
    float xmaxE = x;
    float ymaxE = Y;
    existing->Draw(x, Y, xmaxE, ymaxE);
    const auto target = activeAlternative();
    float xmaxA = x;
    float ymaxA = Y;
    if (target) {
        target->Draw(xmaxE, Y, xmaxA, ymaxA);
    }
    // With the existing column the taller, this is its bottom after the move below plus the
    // origin once more (a taller target band leaves room to spare below the rows); the legends
    // and the extent take the origin off again.
    const float ymax = std::max(ymaxE, ymaxA) + ymaxA;
    const float xmax = std::max(xmaxE, xmaxA);
    existing->MoveBy(0, ymaxA - Y);

    PlaceAlternativeControls(*this, window, showAlt, showExisting, groupsShown);
    DrawGrid(Lines, window, *existing, target.get(), showAlt && showExisting);

    VRN_InteractionHeight = VRN_PracticeHeight * 0.85f;
    half_VRN_InteractionHeight = VRN_InteractionHeight / 2.0f;
    const AxesShown axes{.existing = showExisting, .alternatives = showAlt};
    for (const auto& interaction : Interactions) {
        interaction->DrawIn(*this, axes);
    }

    const WindowControl* firstRow = FirstCell(existing.get());
    const WindowControl* firstColumn = FirstCell(target.get());
    PlaceAxisButtons(window, firstRow, firstColumn,
                     Context.viewChecked(ViewMark::mnuViewImportance));
    PlaceDescription(*this, window, target.get(), firstRow, firstColumn);
    const float legendTop = WholeTwips(ymax + VRN_PracticeHeight - Y - layout::kLegendRaise);
    const float legendHeight = PlaceLegends(*this, window, legendTop, firstRow);
    PlaceAttribution(*this, window, x, legendTop + legendHeight + layout::kAttributionGap);

    // A short target state (a single practice) leaves the title frame above the drawing's top:
    // the whole drawing moves down to make room for it, and its top stays where it was.
    float lowered = 0;
    if (const WindowControl& frame = window.FrameDescription();
        frame.Visible() && frame.top() < top) {
        lowered = top - frame.top();
        MoveBy(0, lowered);
        top -= lowered;
    }

    // Measured from the drawing's top, so that a redraw at a scrolled origin keeps the extent.
    Width = xmax - left;
    Height = (ymax - Y) - top + lowered;

    window.btnTarget().setVisible(showAlt && target != nullptr);
    window.btnExisting().setVisible(showExisting);
    const bool bothAxes = showAlt && showExisting;
    const bool sortButtons = bothAxes && Context.viewChecked(ViewMark::mnuViewSortButtons);
    window.btnSortRight().setVisible(sortButtons);
    window.btnSortDown().setVisible(sortButtons && target != nullptr);
    if (!target) {
        window.btnShowHorPGs().setVisible(false);
    }
    if (bothAxes && Alt_count >= 2) {
        window.ThickLines(0).setVisible(true);
        window.ThickLines(1).setVisible(true);
    }

    float right = left + Width;
    float bottom = top + Height;
    window.SetScrollbars(left, right, top, bottom);
}

void VRN_Matrix::MoveBy(float x, float Y) {
    if (No_Display || InForm == nullptr) {
        return;
    }
    MatrixWindow& window = *InForm;
    top += Y;
    left += x;
    ShiftLines(Lines, x, Y);
    Existing()->MoveBy(x, Y);
    if (const auto target = activeAlternative()) {
        target->MoveBy(x, Y);
    }
    ShiftControl(window.FrameDescription(), x, Y);
    for (const auto& interaction : Interactions) {
        interaction->MoveBy(x, Y);
    }
    for (WindowControl* control :
         {&window.btnExisting(), &window.btnTarget(), &window.btnUpAlt(), &window.btnDownAlt()}) {
        ShiftControl(*control, x, Y);
    }
    PlaceAlternativeCounter(window);
    for (WindowControl* control :
         {&window.frmMatrixInteraction(), &window.frmImportance(), &window.frameAttribution()}) {
        ShiftControl(*control, x, Y);
    }
    ShiftLine(window.ThickLines(0), x, Y);
    ShiftLine(window.ThickLines(1), x, Y);
}

}  // namespace vrn
