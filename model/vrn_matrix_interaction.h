#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "model/collection.h"
#include "model/interfaces/catalogue_attribute.h"
#include "model/interfaces/catalogue_object.h"
#include "model/interfaces/interaction_label.h"
#include "model/interfaces/matrix_window.h"
#include "model/interfaces/report_object.h"
#include "model/model_fwd.h"
#include "model/storage/packed_texts.h"

namespace vrn {

// Which axes the main window's View menu shows, as one layout reads them.
struct AxesShown {
    bool existing = false;      // mnuViewExisting
    bool alternatives = false;  // mnuViewAlternatives
    static AxesShown Of(const VRN_Matrix& document);
};

// One interaction between two practices: its value ("+" reinforcing, "-" interfering, "?" a
// question, "" none), a note, a description, a discussion and a colour, shown by one small cell.
// Its parent is the state when both practices lie in that state, else the document (a cross
// interaction between an existing and a target practice). It is listed once in its parent's
// Interactions and once in each of its practices' Interactions.
//
// Only the model makes interactions, through the static Create (and the file reader), since
// every list that holds one needs its shared pointer. A large document holds millions, so they
// are kept small and allocated in bulk from their document's pool: the value is held as a code;
// the note, description and discussion are kept together in one block of their size (none while
// they are empty), which also points to the fields most interactions never set (catalogue
// binding, report shapes, exceptions, a value other than the four a user chooses), made on first
// write; all are reached through getter/setter pairs. Read, SetKey and Save live in model/file;
// Draw and MoveBy in model/layout.
class VRN_MatrixInteraction {
public:
    using Parent = std::variant<std::weak_ptr<VRN_State>, std::weak_ptr<VRN_Matrix>>;

    bool No_Display = false;
    bool is_entity = false;
    bool is_blank = false;  // one of its practices is blank

private:
    // Beside the flags, where it takes no room of its own.
    std::uint8_t valueCode_ = 0;

public:
    std::int32_t color = 0;
    std::int32_t Key = 0;
    MatrixWindow* InForm = nullptr;
    std::weak_ptr<VRN_Matrix> InMatrix;
    std::shared_ptr<InteractionLabel> Display;
    Parent partOf;
    std::weak_ptr<VRN_Practice> Practice1;
    std::weak_ptr<VRN_Practice> practice2;

    // The parent, by kind; null when the parent is of the other kind or gone.
    std::shared_ptr<VRN_State> parentState() const;
    std::shared_ptr<VRN_Matrix> parentMatrix() const;
    bool IsCross() const { return std::holds_alternative<std::weak_ptr<VRN_Matrix>>(partOf); }

    // The value; setting it also writes the cell's caption.
    const std::string& Value() const;
    void setValue(const std::string& value);
    // A bound catalogue attribute's value wins over the stored text.
    std::string Description() const;
    void setDescription(const std::string& value);
    std::string Discussion() const;
    void setDiscussion(const std::string& value);
    std::string Note() const { return std::string(side_.Get(kNote)); }
    void setNote(const std::string& value) { side_.Set(kNote, value); }

    // Fields kept out of line.
    const Collection<CatalogueObject>& except_col() const { return read().except_col; }
    Collection<CatalogueObject>& except_col() { return write().except_col; }
    const std::shared_ptr<ReportObject>& VisioObject() const { return read().VisioObject; }
    void setVisioObject(std::shared_ptr<ReportObject> value);
    const std::shared_ptr<ReportObject>& ImportanceVisioObject() const {
        return read().ImportanceVisioObject;
    }
    void setImportanceVisioObject(std::shared_ptr<ReportObject> value);
    const std::shared_ptr<ReportObject>& hyper() const { return read().hyper; }
    void setHyper(std::shared_ptr<ReportObject> value);
    const std::string& entity_UID() const { return read().entity_UID; }
    void setEntity_UID(const std::string& value);
    std::int32_t entity_ID() const { return read().entity_ID; }
    void setEntity_ID(std::int32_t value);
    std::int16_t entity_type() const { return read().entity_type; }
    void setEntity_type(std::int16_t value);
    const std::string& Entity_name() const { return read().Entity_name; }
    void setEntity_name(const std::string& value);
    std::int32_t rel_ID() const { return read().rel_ID; }
    void setRel_ID(std::int32_t value);
    // The catalogue relation and the attributes holding value, description and discussion.
    const std::shared_ptr<CatalogueObject>& interaction() const { return read().interaction; }
    void setInteraction(std::shared_ptr<CatalogueObject> value);
    const std::shared_ptr<CatalogueAttribute>& interactionattr() const {
        return read().interactionattr;
    }
    void setInteractionattr(std::shared_ptr<CatalogueAttribute> value);
    const std::shared_ptr<CatalogueAttribute>& interactionDescription() const {
        return read().interactionDescription;
    }
    void setInteractionDescription(std::shared_ptr<CatalogueAttribute> value);
    const std::shared_ptr<CatalogueAttribute>& interactionDiscussion() const {
        return read().interactionDiscussion;
    }
    void setInteractionDiscussion(std::shared_ptr<CatalogueAttribute> value);

    // Links a new interaction to its parent and both practices and, with a window, gives it its
    // cell: no tool tip when blank, else the note or "Interaction"; the document's interaction
    // colour; the value as caption; shown.
    static std::shared_ptr<VRN_MatrixInteraction> Create(
        const std::shared_ptr<VRN_State>& partOf, const std::shared_ptr<VRN_Practice>& Practice1,
        const std::shared_ptr<VRN_Practice>& practice2, MatrixWindow* InForm,
        bool Make_blank = false);
    static std::shared_ptr<VRN_MatrixInteraction> Create(
        const std::shared_ptr<VRN_Matrix>& partOf, const std::shared_ptr<VRN_Practice>& Practice1,
        const std::shared_ptr<VRN_Practice>& practice2, MatrixWindow* InForm,
        bool Make_blank = false);

    // Takes the interaction out of its parent's and both practices' lists and hides its cell.
    void Delete();
    // Deletes many interactions, each as by Delete, with one pass over every list concerned.
    static void DeleteAll(const std::vector<std::shared_ptr<VRN_MatrixInteraction>>& doomed);
    // Takes the interaction out of its parent's list only.
    void RemoveFromParent();

    // Places, sizes, colours and shows or hides the cell: a cross interaction where its two
    // practices' row and column meet, one within a state in the triangle beside that state's
    // band (model/layout).
    void Draw();
    // Draw as a layout of `document` does it for many interactions, with the View marks it read
    // once.
    void DrawIn(const VRN_Matrix& document, AxesShown axes);
    // Shifts the cell.
    void MoveBy(float x, float Y);
    // Draws the cell behind every other shape, linked to its catalogue entity when it stands for
    // one (model/reports).
    void ReportVisio(DrawingPage& objPage, DrawingStencil* objStencil, DrawingMasters& objMasters);

    // Files (model/file). Read takes one interaction after its BEGIN record (whose key is `Key`)
    // and links it to its parent and to the practices its keys name in `practices`. An
    // interaction that names no practice for either key is read, left out and noted on `file`:
    // the result is null then. `Key` receives the key of its END record.
    static std::shared_ptr<VRN_MatrixInteraction> Read(MatrixFileReader& file,
                                                       const std::shared_ptr<VRN_State>& partOf,
                                                       MatrixWindow* InForm, std::int32_t& Key,
                                                       const PracticeKeyIndex& practices);
    static std::shared_ptr<VRN_MatrixInteraction> Read(MatrixFileReader& file,
                                                       const std::shared_ptr<VRN_Matrix>& partOf,
                                                       MatrixWindow* InForm, std::int32_t& Key,
                                                       const PracticeKeyIndex& practices);
    void SetKey(std::int32_t& Val) { Key = Val; }
    // Writes nothing for an interaction that has lost one of its practices.
    void Save(TaggedRecordWriter& file);

    // The parent's Interactions; null when the parent is gone. Valid while `keepAlive` (which
    // receives the parent) is held.
    Collection<VRN_MatrixInteraction>* parentInteractions(std::shared_ptr<void>& keepAlive) const;

private:
    // The fields that most interactions never set.
    struct Extras {
        Collection<CatalogueObject> except_col;
        std::string value;  // a value other than the four a user chooses
        std::shared_ptr<ReportObject> VisioObject;
        std::shared_ptr<ReportObject> ImportanceVisioObject;
        std::shared_ptr<ReportObject> hyper;
        std::string entity_UID;
        std::int32_t entity_ID = 0;
        std::int16_t entity_type = 0;
        std::string Entity_name;
        std::int32_t rel_ID = 0;
        std::shared_ptr<CatalogueObject> interaction;
        std::shared_ptr<CatalogueAttribute> interactionattr;
        std::shared_ptr<CatalogueAttribute> interactionDescription;
        std::shared_ptr<CatalogueAttribute> interactionDiscussion;
    };
    enum Text : std::size_t { kNote, kDescription, kDiscussion, kTextCount };
    const Extras& read() const;
    Extras& write();
    // Stores `value` in `field`, allocating the block only for a value other than the default.
    template <class T>
    void store(T Extras::*field, T value);

    // `listInPractices` false leaves the practices' Interactions to the caller; `toolTip` is the
    // cell's tool tip when a reader gives it (the note read), in place of the one Create gives.
    static std::shared_ptr<VRN_MatrixInteraction> link(
        Parent parent, Collection<VRN_MatrixInteraction>& parentList,
        const std::weak_ptr<VRN_Matrix>& document, bool parentNo_Display,
        const std::shared_ptr<VRN_Practice>& Practice1,
        const std::shared_ptr<VRN_Practice>& practice2, MatrixWindow* InForm, bool Make_blank,
        bool listInPractices = true, const std::string* toolTip = nullptr);
    void takeCatalogueValues(const VRN_Practice& first, const VRN_Practice& second);
    static std::shared_ptr<VRN_MatrixInteraction> readAndLink(
        MatrixFileReader& file, Parent parent, Collection<VRN_MatrixInteraction>& parentList,
        const std::weak_ptr<VRN_Matrix>& document, bool parentNo_Display, MatrixWindow* InForm,
        std::int32_t& Key, const PracticeKeyIndex& practices);

    // The texts, and the extras once there are any.
    PackedTexts<kTextCount, Extras> side_;
};

}  // namespace vrn
