#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/cell_properties.h"
#include "model/collection.h"
#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/cell_control.h"
#include "model/interfaces/matrix_window.h"
#include "model/interfaces/report_object.h"
#include "model/model_fwd.h"

namespace vrn {

// A named band of practices inside a state: a row band on the existing side, a column band on a
// target side. It owns its practices (PracticeParts) and keeps the state's flat Practices list in
// group order when groups are created, copied, moved or deleted.
//
// The program makes a group with std::make_shared and then calls Create, Copy or the reader on it.
// FormatDisplay lives in model/layout; Read, SetKey and Save in model/file; Draw and MoveBy in
// model/layout.
class VRN_PracticeGroup : public std::enable_shared_from_this<VRN_PracticeGroup>,
                          public CellProperties<VRN_PracticeGroup> {
public:
    // Fields in the order of the component's interface.
    bool No_Display = false;
    bool DisplayPG = false;  // the band and its practices are shown
    bool Has_Options = false;
    std::int16_t version = 0;
    std::shared_ptr<ReportObject> PG_VisioObject;
    std::int32_t color = 0;
    std::shared_ptr<ReportObject> PG_hyper;
    bool is_entity = false;
    bool is_blank = false;
    std::int32_t entity_ID = 0;
    std::int16_t entity_type = 0;  // 1 selects the activity colour
    std::string entity_UID;        // "PID" in the file
    std::weak_ptr<VRN_State> partOf;
    MatrixWindow* InForm = nullptr;
    std::weak_ptr<VRN_Matrix> InMatrix;
    std::shared_ptr<CellControl> Display;  // the band's cell
    Collection<VRN_Practice> PracticeParts;
    std::int32_t Key = 0;

    // Name and font flags come from CellProperties.
    bool horizontal() const { return horizontal_; }
    void setHorizontal(bool value);  // every practice of the group follows

    // Initialises a group that its caller has placed (or is about to place) in partOf.PGroups:
    // asks the window for its band, copies the practices of `startup_PG` when given, and gives
    // the group one default practice unless it has practices or `Make_empty` is set.
    // `pg_entity` is not used.
    void Create(const std::string& Name, bool horizontal, const std::shared_ptr<VRN_State>& partOf,
                MatrixWindow* InForm, bool PG_is_entity = false,
                const std::string& PG_entity_UID = {}, std::int32_t PG_entity_ID = 0,
                const std::shared_ptr<CatalogueEntity>& pg_entity = nullptr,
                const std::shared_ptr<VRN_PracticeGroup>& startup_PG = nullptr,
                bool Make_empty = false, bool Make_blank = false);

    // Inserts `pg` into the state's groups right after this one. Unless `newPracticeGroup`, `pg`
    // already has practices: they join the state's Practices after this group's practices.
    void AddAfterMe(const std::shared_ptr<VRN_PracticeGroup>& pg, bool newPracticeGroup);
    // A new group called `Name`, with one default practice, right after this one.
    std::shared_ptr<VRN_PracticeGroup> AddNewPracticeGroup(const std::string& Name);
    // A new blank group, with one blank practice, right after this one.
    std::shared_ptr<VRN_PracticeGroup> AddBlankPracticeGroup();

    // Called on a fresh group: makes it a copy of `pgs` (name, entity binding, practices with
    // their option groups and colours) placed right after `pg`. `pgs` may belong to another
    // document, or have been deleted since it was copied.
    void Copy(const std::shared_ptr<VRN_PracticeGroup>& pgs,
              const std::shared_ptr<VRN_PracticeGroup>& pg);

    // Adds an existing practice object at the end of this group and to the state's Practices
    // after the group's last practice (or the nearest earlier group's); `p_before` receives that
    // practice (null when `p` went first). Makes no interactions. Shows "Error" and adds nothing
    // when the group is not in its state.
    void AddPractice(const std::shared_ptr<VRN_Practice>& p,
                     std::shared_ptr<VRN_Practice>& p_before);

    // Removes the group, its practices with all their interactions and its band.
    void Delete();
    // Takes the group out of its state, and its practices out of the state's Practices; the
    // group keeps its practices. Removes nothing else.
    void RemoveFromParents();

    // Sizes, orients and colours the band and formats its practices (model/layout).
    void FormatDisplay();
    // Places the band at (x, Y) with its practices along it, stretches the band over them and
    // raises xmax and ymax to the extent drawn (model/layout).
    void Draw(float x, float Y, float& xmax, float& ymax);
    // Shifts the band and its practices.
    void MoveBy(float x, float Y);
    // Draws the band, linked to its catalogue entity when it stands for one, and its practices
    // (model/reports).
    void ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil, DrawingMasters& objMasters);

    // Files (model/file). Read takes one group after its BEGIN record into this new group of
    // `partOf`, with its practices; `Key` receives the key of the record that ended it.
    void Read(MatrixFileReader& file, bool horizontal, const std::shared_ptr<VRN_State>& partOf,
              MatrixWindow* InForm, std::int32_t& Key);
    void SetKey(std::int32_t& Val);
    void Save(TaggedRecordWriter& file);

private:
    std::shared_ptr<VRN_State> requireState(const char* operation) const;
    void copyStartupPractices(const VRN_PracticeGroup& startup_PG);
    void createDefaultPractice(const std::shared_ptr<VRN_State>& state);

    bool horizontal_ = false;
};

}  // namespace vrn
