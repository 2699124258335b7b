#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
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
#include "model/storage/block_pool.h"

namespace vrn {

class ReportPrinter;
class TextReportBox;
struct ReportPicture;

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

    // Draws what the window shows on `objPage` (model/reports): both axis titles, the existing
    // state and the active alternative, the grid, the cross interactions, then, as the View
    // marks say, the title frame and the legends; then centres the drawing. Elements the window
    // does not show are left out. With `create_HTML` the page is then published as the web page
    // of the window's catalogue entity (PublishDrawingAsHtml). Shapes and links made are kept
    // in the elements' VisioObject and hyper fields. Errors of the drawing reach the caller; the
    // shapes dropped until then stay on the page. `objStencil` is handed on, never used.
    void ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil, DrawingMasters& objMasters,
                     bool create_HTML);

    // Files (model/file). A file number from OpenFile stays valid until CloseFile. Every
    // failure throws MatrixFileError, which the caller shows; the document, and any file on
    // disk, are then as they were before the call. Warnings that do not stop a read (a record
    // out of place, an entity element in the stand-alone program) go to the document's
    // message service.

    // Path of the file last opened, "Closed" after CloseFile; nothing reads it.
    std::string Open_File_Path;

    // "Input" opens `paramfilepath` for reading; "Output" checks that it can be saved (Save
    // writes it). Any other mode opens nothing; `file` still receives the next free number.
    void OpenFile(const std::string& paramfilepath, std::int16_t& file, const std::string& mode);
    // Forgets `file`; a number that is not open is left alone.
    void CloseFile(std::int16_t file);

    // Renumbers every element from `Val` in depth-first order; `Val` ends at the last number.
    void SetKey(std::int32_t& Val);

    // Renumbers the keys from 1 and writes the whole document, format version 3, into a
    // temporary file beside the target, which replaces it once it is read back whole and
    // flushed to disk; on any failure the target is untouched, no temporary file stays and the
    // MatrixFileError names the system's reason. `unlocked` writes "Locked" as False (an
    // unlocked copy). Clears `justlocked`.
    void Save(std::int16_t file, bool unlocked);
    // The same records into `file`, for a caller that writes elsewhere; `justlocked` stays.
    void Save(TaggedRecordWriter& file, bool unlocked);
    // How many characters a save would write as "?", the file's code page having no byte for
    // them. Renumbers the keys as a save does.
    std::size_t CharactersSavedAsQuestionMarks();

    // Reads a whole file (format version 1 or 3) into this fresh document, bound to the window
    // `ParamInForm` and to `context` (main window, stand-alone flag, messages). With a window it
    // then sets the window's size and the main window's View marks from the file.
    // `show_direction_form` tells whether the file's directions are to be shown. On a damaged
    // file, or one of another version (`Invalid_version` is then set), it throws and the
    // document holds nothing of the file.
    void Read(std::int16_t file, MatrixWindow* ParamInForm, bool& show_direction_form,
              const ComponentContext& context);
    // The same from `source`; `sourceName` names it in errors and warnings.
    void Read(std::streambuf& source, const std::string& sourceName, MatrixWindow* ParamInForm,
              bool& show_direction_form, const ComponentContext& context);

    // Appends the alternatives of another matrix file (version 3) to this document, each of
    // their practices linked by a new interaction to every existing practice. Alternatives are
    // not activated. On failure nothing is imported.
    void ImportAlternatives(std::int16_t file);
    void ImportAlternatives(std::streambuf& source, const std::string& sourceName);

    // Reports (model/reports). The window copies the user's report choices into the rpt_ flags
    // just before it calls them.

    // Sets the sixteen report flags to their defaults; rpt_Options_Print and rpt_Export_Word
    // keep their values.
    void set_Report_Defaults();
    // Prints the report the flags choose on `printer` and ends the job. `matrixImage`, the
    // captured window, is printed first on a page of its own; null leaves it out. A segment that
    // fails ends there and the report goes on; then, after the job has ended, ReportError names
    // every failed segment. Other printer errors reach the caller at once.
    void PrintReport(ReportPrinter& printer, const ReportPicture* matrixImage);
    // Prints one segment at the printer's current position; `PrintDescription` adds the
    // descriptions and discussions the segment holds. An unknown name (letter case counts) shows
    // a message and prints nothing.
    void PrintReportSegment(ReportPrinter& printer, const std::string& segment,
                            bool PrintDescription = false);
    // One segment as plain text with CR LF line ends; "" (after a message) for an unknown name.
    std::string GetText(const std::string& segment, bool PrintDescription = false);
    // Puts the plain-text summary (banner, attribution, the alternatives' names and descriptions)
    // in `box`, replacing its text, and prints it from there.
    void PrintText(TextReportBox& box);

    // Where the document's interactions are allocated.
    BlockPool& interactionBlocks() { return interactionBlocks_.Get(); }

private:
    OpenFileTable& files();
    void readDocument(MatrixFileReader& file, bool& show_direction_form);
    // Puts the existing state's interactions into its practices' lists, made as long as the
    // practices' interactions within the state and across will need.
    void listExistingInteractions(MatrixFileReader& file);
    void readDocumentInteractions(MatrixFileReader& file);
    // How many practices the alternatives hold together.
    std::int64_t targetPracticeCount() const;

    std::shared_ptr<VRN_State> existing_;
    PoolHandle interactionBlocks_;
    // Shared, so that a document copied aside during a read keeps the same open files.
    std::shared_ptr<OpenFileTable> openFiles_;
};

}  // namespace vrn
