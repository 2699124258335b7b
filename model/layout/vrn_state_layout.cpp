#include <algorithm>

#include "model/layout/control_geometry.h"
#include "model/layout/line_pool.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

// Space between the roof and the practices: little when the group bands fill it.
float RoofMargin(bool groupsShown, bool horizontal) {
    if (groupsShown) {
        return 50;
    }
    return horizontal ? 350 : 300;
}

// Two strokes at 45 degrees from both edges of every column; they cross above the band, and the
// highest apex lies half the band's length above it. Returns the band's right edge.
float DrawHorizontalRoof(const Collection<VRN_Practice>& practices, float x, float Y,
                         LinePool& pool, bool visible) {
    if (practices.Empty()) {
        return x;
    }
    const auto& last = *practices.Item(practices.Count());
    const float right = last.left + last.Width;
    for (const auto& p : practices) {
        const float a = p->left;
        const float m = (right + a) / 2.0f;
        PlaceLine(pool.Next(), a, Y, m, Y - (m - a), visible);
    }
    for (const auto& p : practices) {
        const float b = p->left + p->Width;
        const float n = (x + b) / 2.0f;
        PlaceLine(pool.Next(), b, Y, n, Y - (n - x), visible);
    }
    return right;
}

// The same roof turned to the left of the rows. Returns the column's lower edge.
float DrawVerticalRoof(const Collection<VRN_Practice>& practices, float x, float Y, LinePool& pool,
                       bool visible) {
    if (practices.Empty()) {
        return Y;
    }
    const auto& last = *practices.Item(practices.Count());
    const float bottom = last.top + last.Height;
    for (const auto& p : practices) {
        const float a = p->top;
        const float m = (a + bottom) / 2.0f;
        PlaceLine(pool.Next(), x, a, x - (m - a), m, visible);
    }
    for (const auto& p : practices) {
        const float b = p->top + p->Height;
        const float n = (Y + b) / 2.0f;
        PlaceLine(pool.Next(), x, b, x - (n - Y), n, visible);
    }
    return bottom;
}

}  // namespace

void VRN_State::Draw(float x, float Y, float& xmax, float& ymax) {
    const auto document = InMatrix.lock();
    if (No_Display || InForm == nullptr || !document) {
        return;
    }
    MatrixWindow& window = *InForm;
    const ComponentContext& context = document->Context;
    const bool groupsShown = context.viewChecked(ViewMark::mnuViewPracticeGroups);
    const bool axisShown =
        context.viewChecked(horizontal ? ViewMark::mnuViewAlternatives : ViewMark::mnuViewExisting);

    hidePGcount = 0;
    float cx = x;
    float cy = Y;
    float xm = xmax;
    float ym = ymax;
    // Each group or practice starts where the extent drawn so far ends along the axis.
    const auto advance = [&] {
        if (horizontal) {
            cx = xm;
        } else {
            cy = ym;
        }
    };
    if (groupsShown) {
        // The roof and the document's grid take the ends of Practices as the ends of the band,
        // so with groups shown it always runs group by group, without the hidden groups.
        if (!PGroups.Empty()) {
            Practices.Clear();
            for (const auto& group : PGroups) {
                if (group->DisplayPG) {
                    for (const auto& practice : group->PracticeParts) {
                        Practices.Add(practice);
                    }
                }
            }
        }
        if (horizontal) {
            window.alternative_name(Name.empty() ? "Target Practices" : Name);
            spot = Y;
        } else {
            window.btnExisting().setText(Name.empty() ? "Exisiting Practices" : Name);
            spot = x;
        }
        for (const auto& group : PGroups) {
            if (!group->DisplayPG) {
                ++hidePGcount;
                continue;
            }
            group->Draw(cx, cy, xm, ym);
            advance();
        }
        WindowControl& showGroups = horizontal ? window.btnShowHorPGs() : window.btnSHowPGs();
        showGroups.setVisible(hidePGcount > 0 && axisShown);
    } else {
        for (const auto& group : PGroups) {
            if (group->Display) {
                group->Display->setVisible(false);
            }
        }
        for (const auto& practice : Practices) {
            practice->Draw(cx, cy, xm, ym);
            advance();
        }
        window.btnSHowPGs().setVisible(true);
    }
    ymax = std::max(ymax, ym);
    xmax = std::max(xmax, xm);

    LinePool roof(Lines, window);
    const float margin = RoofMargin(groupsShown, horizontal);
    const float widthPlusHeight = document->VRN_PracticeWidth + document->VRN_PracticeHeight;
    if (horizontal) {
        const float right = DrawHorizontalRoof(Practices, x, Y, roof, axisShown);
        const float h = (right + x) / 2.0f - x;
        MoveBy(0, h + margin);
        ymax = ymax + h + margin;
        window.btnSortDown().setTop(ymax);
        window.btnSortDown().setLeft(xmax);
        window.btnShowHorPGs().setLeft(xmax);
        window.btnShowHorPGs().setTop(ymax - widthPlusHeight);
        window.btnShowHorPGs().setHeight(document->VRN_PracticeHeight);
    } else {
        const float bottom = DrawVerticalRoof(Practices, x, Y, roof, axisShown);
        const float w = (Y + bottom) / 2.0f - Y;
        MoveBy(w + margin, 0);
        xmax = xmax + w + margin;
        window.btnSortRight().setTop(ymax);
        window.btnSortRight().setLeft(xmax);
        window.btnSHowPGs().setTop(ymax);
        window.btnSHowPGs().setLeft(xmax - widthPlusHeight);
        window.btnSHowPGs().setWidth(document->VRN_PracticeHeight);
    }

    for (const auto& interaction : Interactions) {
        interaction->Draw();
    }
}

void VRN_State::MoveBy(float x, float Y) {
    if (No_Display || InForm == nullptr) {
        return;
    }
    for (const auto& group : PGroups) {
        group->MoveBy(x, Y);
    }
    ShiftLines(Lines, x, Y);
    for (const auto& interaction : Interactions) {
        interaction->MoveBy(x, Y);
    }
    if (horizontal) {
        ShiftControl(InForm->btnSortDown(), x, Y);
        ShiftControl(InForm->btnShowHorPGs(), x, Y);
    } else {
        ShiftControl(InForm->btnSortRight(), x, Y);
        ShiftControl(InForm->btnSHowPGs(), x, Y);
    }
}

void VRN_State::HideLines(std::int16_t /*LinesUsed*/) {
    for (const auto& line : Lines) {
        line->setVisible(false);
    }
}

}  // namespace vrn
