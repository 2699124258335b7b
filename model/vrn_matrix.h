#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/collection.h"
#include "model/component_context.h"
#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/line_control.h"
#include "model/interfaces/matrix_window.h"
#include "model/interfaces/report_object.h"
#include "model/model_fwd.h"

namespace vrn {

// One matrix document: the root of the model tree that a matrix window draws and edits.
//
// Ownership: every element lives in a std::shared_ptr. A parent owns its children through its
// collections (the document its states and cross interactions, a state its groups, practices and
// own interactions, a group its practices, a practice its option group and the interactions it
// takes part in, an option group its options). Links back up (`partOf`, `InMatrix`, an
// interaction's practices) are weak, and so are the references the window keeps, so the program
// may hold any element (current item, copy buffer, drag source) after it was removed: it stays a
// valid object, and operations that need its document raise ModelError once that link is gone.
//
// A document is made with std::make_shared and then built by CreateNew and CreateInit, or by the
// file reader. Files (Save, Read, SetKey, OpenFile, ImportAlternatives) and layout (Draw, MoveBy)
// are members defined in their own source files under model/file and model/layout.
class VRN_Matrix : public std::enable_shared_from_this<VRN_Matrix> {
public:
    // Fields in the order of the component's interface.
    MatrixWindow* InForm = nullptr;
    std::weak_ptr<VRN_Matrix> InMatrix;  // the document itself
    std::shared_ptr<ReportObject> MyPicture;
    bool Auto_PGroup_Dialogue = false;
    std::weak_ptr<VRN_PracticeGroup> Auto_PGroup;
    bool No_Display = false;

    // Layout sizes in twips; the window copies the user's preferences in.
    float VRN_PracticeGrpHeight = 0;
    float VRN_PracticeGrpWidth = 0;
    float VRN_PracticeHeight = 0;
    float VRN_PracticeWidth = 0;
    float VRN_InteractionHeight = 0;
    float half_VRN_InteractionHeight = 0;
    float delta_updown = 0;
    std::int16_t VRN_Practice_Font_Size = 0;

    // Colours (OLE colour values).
    std::int32_t Vrn_BlankColor = 0;
    std::int32_t VRN_HighlightColor = 0;
    std::int32_t VRN_RegularColor = 0;
    std::int32_t VRN_PracticeColor = 0;
    std::int32_t VRN_ActivityColorSave = 0;
    std::int32_t VRN_ActivityColor = 0;
    std::int32_t VRN_EntityColorSave = 0;
    std::int32_t VRN_EntityColor = 0;
    std::int32_t VRN_InteractionColor = 0;
    std::int32_t User_HighlightColor = 0;
    std::int32_t User_WarningColor = 0;
    std::int32_t User_PracticeOptionsColor = 0;
    std::int32_t User_FormBackgroundColor = 0;
    std::int32_t User_BlankColor = 0;

    std::string VRN_VISIO_TemplatePath;
    std::string BrowserPath;
    std::string VRN_HTML_Path;
    std::string VRN_HTML_URL;

    bool justlocked = false;
    bool Invalid_version = false;
    std::int16_t version = 0;

    // Attribution texts.
    std::string Name;
    std::string title;
    std::string Description;
    std::string Directions;
    std::string Authors;
    std::string Assignment;
    std::string Modified;
    std::string Sources;
    std::string Review;
    std::string Distribution;  // stored under the tag "Documentation"
    bool locked = false;
    std::string Locktype;
    std::string Keyvalue;
    std::string footer;
    std::string filename;  // for the caller; the model never reads it
    std::string filePath;  // for the caller; the model never reads it

    // The existing state, made on first use.
    const std::shared_ptr<VRN_State>& Existing();
    void setExisting(std::shared_ptr<VRN_State> state) { existing_ = std::move(state); }
    std::shared_ptr<VRN_State> Target;  // made empty by the reader; nothing fills or reads it
    bool Use_Alter = false;
    std::int16_t Alt_i = 0;      // 1-based index of the active alternative
    std::int16_t Alt_count = 0;  // kept equal to Alternatives_col.Count()
    Collection<VRN_State> Alternatives_col;
    Collection<LineControl> Lines;                   // the layout's grid-line pool
    Collection<VRN_MatrixInteraction> Interactions;  // between existing and target practices

    // Origin and extent of the last layout, in twips.
    float top = 0;
    float left = 0;
    float Height = 0;
    float Width = 0;
    std::int32_t Key = 0;
    bool importing_alternative = false;

    // Report options: two truth values, then sixteen flags stored as 0 (False) or -1 (True).
    bool rpt_Options_Print = false;
    bool rpt_Export_Word = false;
    std::int16_t rpt_MatrixImage = 0;
    std::int16_t rpt_MatrixDescription = 0;
    std::int16_t rpt_MatrixAttribution = 0;
    std::int16_t rpt_CurrentPracticeDescriptions = 0;
    std::int16_t rpt_TargetPracticeDescriptions = 0;
    std::int16_t rpt_IncludeHiddenAlternatives = 0;
    std::int16_t rpt_IncludeAlternativeImages = 0;
    std::int16_t rpt_IncludeCustomFields = 0;
    std::int16_t rpt_IncludeCustomImages = 0;
    std::int16_t rpt_CurrentPracticeInteractions = 0;
    std::int16_t rpt_TargetPracticeInteractions = 0;
    std::int16_t rpt_CurrentTargetInteractions = 0;
    std::int16_t rpt_InteractionValues = 0;
    std::int16_t rpt_InteractionDescriptions = 0;
    std::int16_t rpt_BlankInteractions = 0;
    std::int16_t rpt_CurrentPractices = 0;

    // The main window, the stand-alone flag and the message boxes this document uses; set by
    // CreateNew (and by the file reader on the file road).
    ComponentContext Context;

    // Binds a fresh document to its program and window. ParamNo_Display: the document has no
    // window and makes no window calls.
    void CreateNew(const ComponentContext& context, MatrixWindow* ParamInForm,
                   bool ParamNo_Display = false);

    // Builds the existing state and `Default_num_alt` alternatives (0 is allowed), activates
    // alternative 1, names the document "Varnel" unless a title was set and sets every report
    // flag. `ent` makes the first existing group stand for that catalogue entity; `startup_PG`
    // makes it a copy of that group; `Create_Empty` leaves the states without groups.
    void CreateInit(std::int16_t Default_num_alt, std::shared_ptr<CatalogueEntity> ent = nullptr,
                    std::shared_ptr<VRN_PracticeGroup> startup_PG = nullptr,
                    bool Create_Empty = false);

    // The alternative at 1-based `Alt_index`, or the active one (`Alt_i`) when omitted. Throws
    // CollectionIndexError when there is no such alternative.
    std::shared_ptr<VRN_State> alternative(std::optional<int> Alt_index = std::nullopt) const;
    // The active alternative, or null when `Alt_i` names none (a document without alternatives).
    std::shared_ptr<VRN_State> activeAlternative() const;

    // enable: makes `Alt_index` the active alternative (none when it names no alternative);
    // otherwise only turns alternatives off, keeping `Alt_i` and the Active flags.
    void use_alternative(bool enable, std::int16_t Alt_index);

    // Appends a new alternative named `New_name`; it is not activated.
    void new_alternative(const std::string& New_name, bool Create_Empty = false);

    // Deletes the active alternative with its contents and cross interactions, then makes the
    // last remaining one active. Throws CollectionIndexError when `Alt_i` names no alternative and
    // ModelError when it is the only one; nothing changes then.
    void delete_alternative();

    // Lays the document out on its window with the top-left corner at (x, Y): hides every
    // display, draws the existing state and the active alternative, the grid, the cross
    // interactions and the window's own controls, and hands the extent to the scroll bars.
    // Nothing happens for a document without a window (model/layout).
    void Draw(float x, float Y);
    // Shifts the whole layout; scrolling calls it. Sets no scroll bars.
    void MoveBy(float x, float Y);

private:
    std::shared_ptr<VRN_State> existing_;
};

}  // namespace vrn
