#include <algorithm>

#include "model/layout/control_geometry.h"
#include "model/layout/layout_offsets.h"
#include "model/layout/line_pool.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

// Space between the roof and the practices.
float RoofMargin(bool groupsShown, bool horizontal) {
    if (groupsShown) {
        return layout::kRoofMarginOverGroups;
    }
    return horizontal ? layout::kRoofMarginHorizontal : layout::kRoofMarginVertical;
}

// The roof and the document's grid take the ends of Practices as the ends of the band, so with
// groups shown Practices runs group by group, leaving out the groups switched off.
void Regroup(VRN_State& state) {
    state.Practices.Clear();
    for (const auto& group : state.PGroups) {
        if (group->DisplayPG) {
            for (const auto& practice : group->PracticeParts) {
                state.Practices.Add(practice);
            }
        }
    }
}

// The roof: two strokes at 45 degrees from both ends of every practice, rising away from the
// band; they cross, and the highest apex lies half the band's length out. `along` is the
// state's origin along the band, `out` its origin across it. Returns the band's far end (its
// start when there are no practices, so that an empty state gets no roof).
float DrawRoof(const Collection<VRN_Practice>& practices, bool horizontal, float along, float out,
               LinePool& pool, bool visible) {
    if (practices.Empty()) {
        return along;
    }
    const auto start = [horizontal](const VRN_Practice& p) { return horizontal ? p.left : p.top; };
    const auto end = [&](const VRN_Practice& p) {
        return start(p) + (horizontal ? p.Width : p.Height);
    };
    // A stroke from (u1, v1) to (u2, v2), u along the band and v across it.
    const auto stroke = [&](float u1, float v1, float u2, float v2) {
        if (horizontal) {
            PlaceLine(pool.Next(), u1, v1, u2, v2, visible);
        } else {
            PlaceLine(pool.Next(), v1, u1, v2, u2, visible);
        }
    };
    const float farEnd = end(*practices.Item(practices.Count()));
    for (const auto& p : practices) {
        const float a = start(*p);
        const float m = (farEnd + a) / 2.0f;
        stroke(a, out, m, out - (m - a));
    }
    for (const auto& p : practices) {
        const float b = end(*p);
        const float n = (along + b) / 2.0f;
        stroke(b, out, n, out - (n - along));
    }
    return farEnd;
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
        if (!PGroups.Empty()) {
            Regroup(*this);
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

    const float margin = RoofMargin(groupsShown, horizontal);
    const float widthPlusHeight = document->VRN_PracticeWidth + document->VRN_PracticeHeight;
    // The roof rises from the band's near side; the state then moves away from it to make room.
    const float along = horizontal ? x : Y;
    LinePool roof(Lines, window);
    const float farEnd =
        DrawRoof(Practices, horizontal, along, horizontal ? Y : x, roof, axisShown);
    const float depth = (farEnd + along) / 2.0f - along + margin;
    if (horizontal) {
        MoveBy(0, depth);
        ymax = ymax + depth;
        window.btnSortDown().setTop(ymax);
        window.btnSortDown().setLeft(xmax);
        window.btnShowHorPGs().setLeft(xmax);
        window.btnShowHorPGs().setTop(ymax - widthPlusHeight);
        window.btnShowHorPGs().setHeight(document->VRN_PracticeHeight);
    } else {
        MoveBy(depth, 0);
        xmax = xmax + depth;
        window.btnSortRight().setTop(ymax);
        window.btnSortRight().setLeft(xmax);
        window.btnSHowPGs().setTop(ymax);
        window.btnSHowPGs().setLeft(xmax - widthPlusHeight);
        window.btnSHowPGs().setWidth(document->VRN_PracticeHeight);
    }

    const AxesShown axes = AxesShown::Of(*document);
    for (const auto& interaction : Interactions) {
        interaction->DrawIn(*document, axes);
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
