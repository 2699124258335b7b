#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/cell_properties.h"
#include "model/collection.h"
#include "model/interfaces/catalogue_attribute.h"
#include "model/interfaces/catalogue_object.h"
#include "model/interfaces/cell_control.h"
#include "model/interfaces/matrix_window.h"
#include "model/interfaces/report_object.h"
#include "model/model_fwd.h"

namespace vrn {

// One practice: a row of the existing state (vertical) or a column of an alternative
// (horizontal), with its importance, its optional option group and every interaction it takes
// part in. A practice is listed once in its group's PracticeParts and once in its state's
// Practices (unless the layout has left a hidden group's practices out of Practices).
//
// The program makes a practice with std::make_shared and then calls Create or Copy on it.
// FormatDisplay, Draw and MoveBy live in model/layout; Read, SetKey and Save in model/file.
class VRN_Practice : public std::enable_shared_from_this<VRN_Practice>,
                     public CellProperties<VRN_Practice> {
public:
    // Fields in the order of the component's interface.
    bool No_Display = false;
    std::shared_ptr<ReportObject> VisioObject;
    std::shared_ptr<ReportObject> ImportanceVisioObject;
    std::int32_t color = 0;  // 0: the document's practice colour
    std::shared_ptr<ReportObject> hyper;
    bool is_entity = false;
    bool is_blank = false;
    std::string entity_UID;  // "PID" in the file
    std::int32_t entity_ID = 0;
    std::int16_t entity_type = 0;
    std::shared_ptr<CellControl> Display;
    // The importance text ("+2", "+1", "", "-1", "-2") of a practice without a window; with a
    // window the importance box's text holds it (see importanceText()).
    std::string Importance_value;
    std::shared_ptr<CellControl> Importance;  // the importance box
    std::string Discussion;
    std::weak_ptr<VRN_PracticeGroup> partOf;
    std::shared_ptr<VRN_Optiongroup> OptionGroup;
    bool horizontal = false;
    MatrixWindow* InForm = nullptr;
    std::weak_ptr<VRN_Matrix> InMatrix;
    Collection<VRN_MatrixInteraction> Interactions;  // every interaction naming this practice
    // Extent of the cell and importance box from the last layout, in twips.
    float top = 0;
    float left = 0;
    float Height = 0;
    float Width = 0;
    std::int32_t Key = 0;

    // Name and font flags come from CellProperties.
    const std::string& Description() const { return description_; }
    void setDescription(const std::string& value) { description_ = value; }

    // Makes this new object a practice of `partOf`: asks the window for its cell and importance
    // box, puts it in the state's Practices after `afterPractice` (at the end when that is null
    // or not found) and makes every interaction it takes part in, with the practices of its own
    // state and, across, with the existing practices (a target practice) or with every
    // alternative's practices (an existing practice). The caller adds it to PracticeParts.
    void Create(const std::string& Name, bool horizontal,
                const std::shared_ptr<VRN_PracticeGroup>& partOf, MatrixWindow* InForm,
                const std::shared_ptr<VRN_Practice>& afterPractice = nullptr,
                bool P_is_entity = false, const std::string& P_entity_UID = {},
                std::int32_t P_entity_ID = 0, bool Make_blank = false);

    // Makes this new object a copy of `SP` (name, entity binding, option group with its options,
    // colour) at the end of group `pg`, with all its interactions. `SP` may belong to another
    // document.
    void Copy(const std::shared_ptr<VRN_Practice>& SP,
              const std::shared_ptr<VRN_PracticeGroup>& pg);

    // Inserts `p` after this practice in the group and, unless `newPractice` (whose Create has
    // placed it already), in the state.
    void AddAfterMe(const std::shared_ptr<VRN_Practice>& p, bool newPractice);
    // A new ordinary practice called `Name` right after this one, in both lists.
    std::shared_ptr<VRN_Practice> AddNewPractice(const std::string& Name);

    // Removes the practice, its cells and all its interactions from the document. Safe to call
    // on a practice that was already deleted or detached.
    void Delete();
    // Deletes several practices at once; each is removed as by Delete, with one pass over each
    // list concerned (deleting an alternative removes tens of thousands of interactions).
    static void DeleteAll(const std::vector<std::shared_ptr<VRN_Practice>>& practices);

    void RemoveOptionGroup() { OptionGroup.reset(); }
    // Takes the practice out of its group's and state's lists; deletes nothing.
    void RemoveFromParents();

    // The sort score: reinforcing minus interfering cross interactions, times the importance
    // weight when the main window's weighted sort is checked.
    int Value() const;
    // The importance text: the importance box's text when there is one, else Importance_value.
    std::string importanceText() const;
    // The weight of an importance text in the weighted sort: "+2" 5, "+1" 4, "" (or blanks) 3,
    // "-1" 2, "-2" 1, anything else 0.
    static int ImportanceWeight(const std::string& importance);

    // The catalogue's relation between this practice's entity and `Target_entity_ID`, with the
    // attributes of its value, description and discussion. No catalogue lookup is wired in, so it
    // finds none: false, the out-arguments untouched.
    bool has_interaction(std::int32_t Target_entity_ID,
                         std::shared_ptr<CatalogueObject>& interaction,
                         std::shared_ptr<CatalogueAttribute>& interactionattr,
                         std::shared_ptr<CatalogueAttribute>& interactionDescription,
                         std::shared_ptr<CatalogueAttribute>& interactionDiscussion) const;

    // Size, orientation and colour of the cell, size of the importance box (model/layout).
    void FormatDisplay();
    // Places the cell with its top-left corner at (x, Y) and the importance box beside or below
    // it, and raises xmax and ymax to the practice's right and bottom edge (model/layout).
    void Draw(float x, float Y, float& xmax, float& ymax);
    // Shifts the cell and the importance box; top and left keep the last Draw's values.
    void MoveBy(float x, float Y);
    // Draws the cell, linked to its catalogue entity when it stands for one, and, with
    // importance shown, the importance box (model/reports). `create_HTML` is not used.
    void ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil, DrawingMasters& objMasters,
                     bool create_HTML);

    // Files (model/file). Read takes one practice after its BEGIN record (whose key is `Key`)
    // into this new practice of `partOf`, with its option group; while the document imports
    // alternatives it also links the practice to every existing practice.
    void Read(MatrixFileReader& file, bool horizontal,
              const std::shared_ptr<VRN_PracticeGroup>& partOf, MatrixWindow* InForm,
              std::int32_t& Key);
    void SetKey(std::int32_t& Val);
    void Save(TaggedRecordWriter& file);

    // The group and state the practice belongs to; null once it was detached or they are gone.
    std::shared_ptr<VRN_PracticeGroup> group() const { return partOf.lock(); }
    std::shared_ptr<VRN_State> state() const;

private:
    // Puts the new practice into its state's Practices.
    using Placement = std::function<void(VRN_State&, const std::shared_ptr<VRN_Practice>&)>;
    // After the last practice of `group` or of the nearest group before it; first when none.
    static Placement InGroupOrder(const VRN_PracticeGroup& group);

    std::shared_ptr<VRN_PracticeGroup> requireGroup() const;
    void createIn(const std::string& Name, bool horizontal,
                  const std::shared_ptr<VRN_PracticeGroup>& partOf, MatrixWindow* InForm,
                  const Placement& place, bool P_is_entity, const std::string& P_entity_UID,
                  std::int32_t P_entity_ID, bool Make_blank);
    void createInteractions(const std::shared_ptr<VRN_State>& state);
    // Asks the window for the importance box: hidden, empty, a square as wide as a row is high.
    void createImportanceBox();
    void copyOptionGroup(const VRN_Optiongroup& source);

    friend class VRN_PracticeGroup;

    std::string description_;
};

}  // namespace vrn
