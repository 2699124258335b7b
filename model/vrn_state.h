#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/collection.h"
#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/line_control.h"
#include "model/interfaces/matrix_window.h"
#include "model/model_fwd.h"

namespace vrn {

// One side of the matrix: the existing state (vertical, its practices are the rows) or one
// alternative target state (horizontal, its practices are the columns). Made by the document
// (CreateNew) or by the file reader; Read, SetKey and Save live in model/file, Draw, MoveBy and
// HideLines in model/layout.
class VRN_State : public std::enable_shared_from_this<VRN_State> {
public:
    // Fields in the order of the component's interface.
    bool No_Display = false;
    std::int16_t version = 0;
    std::string Name;         // "State Name" in the file
    std::string Description;  // "State Description" in the file
    Collection<VRN_PracticeGroup> PGroups;
    // Every practice of the state, flat: group by group after creation and editing, in sort
    // order after SortPractices; the layout regroups it when groups are shown, leaving out the
    // practices of hidden groups. PGroups is the complete list.
    Collection<VRN_Practice> Practices;
    bool horizontal = false;
    MatrixWindow* InForm = nullptr;
    Collection<LineControl> Lines;                   // the layout's roof-line pool
    Collection<VRN_MatrixInteraction> Interactions;  // between practices of this state
    std::weak_ptr<VRN_Matrix> partOf;
    std::weak_ptr<VRN_Matrix> InMatrix;
    std::int32_t Key = 0;
    float spot = 0;  // origin along the axis, set by the layout
    bool Active = false;
    std::int16_t hidePGcount = 0;  // groups whose band is switched off

    // Fills a fresh state and gives it its first group: a copy of `startup_PG` when given, else a
    // group standing for `ent` when given, else (unless `Create_Empty`) a default group with three
    // practices. `Stem_name` names the state and its first group.
    void CreateNew(MatrixWindow* InForm, bool horizontal, const std::shared_ptr<VRN_Matrix>& partOf,
                   const std::shared_ptr<CatalogueEntity>& ent = nullptr,
                   const std::shared_ptr<VRN_PracticeGroup>& startup_PG = nullptr,
                   const std::string& Stem_name = {}, bool Create_Empty = false);

    // Deletes the state's interactions, groups and practices (with their cross interactions) and
    // hides their cells. The document drops the state afterwards.
    void Delete();

    // Reorders Practices by practice Value, highest first; equal values keep their order.
    void SortPractices();

    // Every practice of every group, in PGroups order: unlike Practices it still holds the
    // practices of hidden groups.
    std::vector<std::shared_ptr<VRN_Practice>> PracticesByGroup() const;

    // The practice after which a practice of `group` joins Practices, to keep them in group
    // order: the last practice of `group`, or of the nearest group before it that has practices;
    // null when there is none. For a group outside PGroups, the last of Practices.
    std::shared_ptr<VRN_Practice> LastPracticeUpTo(const VRN_PracticeGroup& group) const;
    // Inserts `p` into Practices right after `after` (at the end when it is not listed), or first
    // when `after` is null.
    void PlacePracticeAfter(const std::shared_ptr<VRN_Practice>& p, const VRN_Practice* after);

    // Lays the state out with its origin at (x, Y): groups and practices, the roof of lines in
    // which its own interactions sit, its axis buttons, then those interactions. xmax and ymax
    // come in as the caller's running extent and are raised to the state's right and bottom
    // edge, roof and margin included (model/layout).
    void Draw(float x, float Y, float& xmax, float& ymax);
    // Shifts everything the state placed.
    void MoveBy(float x, float Y);
    // Hides every roof line; the argument is not used.
    void HideLines(std::int16_t LinesUsed = 0);

    // Draws the groups with their practices (or, with groups switched off in the View menu, the
    // practices alone), the state's grid lines and its interactions (model/reports).
    void ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil, DrawingMasters& objMasters);

    // Files (model/file). Read takes one State record, its groups and interactions, into this
    // new state of `partOf`.
    void Read(MatrixFileReader& file, MatrixWindow* InForm, bool horizontal,
              const std::shared_ptr<VRN_Matrix>& partOf);
    void SetKey(std::int32_t& Val);
    void Save(TaggedRecordWriter& file);

private:
    // Makes room for the interactions within the state, and for those of its practices, before
    // the reader reads them; true for the existing state, whose practices' lists wait.
    bool reserveInteractions(MatrixFileReader& file);
    // Makes this state a side of `document`, shown in `window`.
    void bindTo(const std::shared_ptr<VRN_Matrix>& document, MatrixWindow* window,
                bool isHorizontal);
};

}  // namespace vrn
