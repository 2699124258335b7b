#pragma once

#include "app/matrixwin/canvas_counts.h"
#include "app/matrixwin/document_files.h"
#include "app/matrixwin/interaction_cells.h"
#include "app/matrixwin/kept_text_box.h"
#include "app/matrixwin/matrix_canvas.h"
#include "app/matrixwin/scene_cell.h"
#include "app/matrixwin/scene_context.h"
#include "app/matrixwin/scene_fixed_control.h"
#include "app/matrixwin/scene_interaction_label.h"
#include "app/matrixwin/scene_line.h"
#include "app/matrixwin/scene_picture.h"
#include "app/matrixwin/vrn_main.h"
#include "model/component_context.h"
#include "model/interfaces/matrix_window.h"
#include "platform/one_shot_timer.h"
#include "platform/prompt.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

class QLineEdit;
class QMouseEvent;
class QRubberBand;
class QScrollBar;
class QWheelEvent;

namespace vrn {

class NoteBox;
struct CanvasHit;

// What a note box shows the note of.
using NoteObject = std::variant<std::monostate, std::shared_ptr<VRN_Practice>,
                                std::shared_ptr<VRN_MatrixInteraction>>;

// The state of a matrix window's frame in the main window, as WindowState gives it.
inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimized = 1;
inline constexpr int kWindowMaximized = 2;

// The matrix window: a child of the main window that shows one matrix document, which it owns in
// `base`. The document draws itself through the window's callbacks; every cell, interaction cell
// and line it asks for is a lightweight control that the window's one canvas paints. It reaches
// the main window only through the program's MatrixHost (`Main_Window`).
//
// Its members stand in one file per concern: frm_matrix.cpp (life, document, commands),
// frm_matrix_controls.cpp (designed controls and those the document asks for),
// frm_matrix_selection.cpp (selection, hover and the host's menus that follow them),
// frm_matrix_closing.cpp (save and close), frm_matrix_scrolling.cpp (scroll bars and input).
class frmMatrix : public QWidget, public MatrixWindow {
    Q_OBJECT
public:
    frmMatrix(VrnMain& program, Prompt& prompt, QWidget* parent = nullptr);
    ~frmMatrix() override;

    // The window's public variables.
    // The document's file; until it has one, the name generated when the window opened.
    QString filename;
    // `filename` names the document's file: it was opened from it or saved to it.
    bool hasFilePath = false;
    // Whether `name` is the document's own file (or, before it has one, its generated name).
    bool isOwnFile(const QString& name) const;
    std::shared_ptr<VRN_PracticeGroup> startup_PG;
    bool LoadNewDoc = false;
    bool Weighted = false;
    bool Frametool_Enabled = false;
    bool Frametool_Active = false;
    bool Frametool_Captured = false;
    bool cycle_mode = false;

    // The document; reading it while the window holds none makes an empty, unbuilt one.
    const std::shared_ptr<VRN_Matrix>& base();
    void setBase(std::shared_ptr<VRN_Matrix> document) { base_ = std::move(document); }
    std::shared_ptr<CatalogueEntity> ent() const override { return ent_; }
    void setEnt(std::shared_ptr<CatalogueEntity> entity) { ent_ = std::move(entity); }
    // The window's caption as given; its title bar shows it literally.
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // kWindowNormal, kWindowMinimized or kWindowMaximized.
    int WindowState() const;
    void setWindowState(int state);
    using QWidget::setWindowState;

    void Form_Load();
    void Form_Activate();
    // Runs what other windows left for this one: a pending redraw, a report to print or export.
    void Form_GotFocus();
    void Form_KeyDown(int keyCode);
    // A press and a move on the window's background, in window twips.
    void Form_MouseDown(float X, float Y);
    void Form_MouseMove();
    // `source` (a control's name) was dropped at (X, Y) twips.
    void Form_DragDrop(const QString& source, float X, float Y);
    // Asks about saving and lets go of the document; false when the window must stay open
    // because the save the user asked for did not happen (cancelled or failed).
    bool Form_Unload();
    // Closes the window without a question: its document could not be read.
    void discardUnread();
    // The questions of closing, asked ahead of it (the program's exit asks every window before
    // it closes any): true when the window may close, which it then does without asking again.
    // False leaves it as it was.
    bool agreeToClose();
    // The window asks again when it next closes: the exit it agreed to did not happen.
    void withdrawCloseAgreement() { closesUnasked_ = false; }

    void newdoc();
    void newdocpreferences(bool setAll);
    void Redraw(bool Also_Do_menus = false);
    void use_alternative(bool enable, std::int16_t Alt_index);
    void Do_menus();
    // The main window's Alternatives menu names this document's alternatives and checks the one
    // shown; only while this window's document is the current one.
    void listAlternatives();
    // Saves an unlocked copy under a name the user chooses; gives the document
    // `Restore_locked_state` back when it does not save.
    SaveOutcome SaveMatrixAs(bool Restore_locked_state);
    // Refuses, with a word to the user, a file that another matrix window holds: saving it here
    // would overwrite what that window saves, and the other way round.
    bool heldByAnotherWindow(const QString& path);
    void RenamePractice(const std::shared_ptr<VRN_Practice>& p);
    void RenamePracticeGroup(const std::shared_ptr<VRN_PracticeGroup>& pg);
    void RenameMatrix();
    void set_practice(const std::string& practice_name, const std::string& Practice_description,
                      const std::string& Practice_discussion, std::int32_t Practice_color);

    // Reports and pictures of the window (frm_matrix_reports.cpp). Each print asks for the
    // printer first; a cancelled choice prints nothing. Printer errors reach the caller.
    // The report the run's report flags choose, with the window's picture first when the flags
    // ask for it (that picture also goes on the clipboard). Printing into a file offers the
    // document's name with "pdf".
    void Print_Report();
    // The same with the scroll bars hidden; a failure is reported and the work saved under a
    // new name.
    void init_print_Report();
    // The frame tool's picture on a page of its own.
    void Print_Captured_Image();
    // Asks for a .docx file, offering the document's name with "docx", and exports the report
    // into it.
    void Export_Word();
    void Timer_Print_Report_Timer();
    void Timer_Export_word_Timer();
    // A click on the window's background: the frame tool's steps, or the selection cleared.
    void Form_Click();
    // The last captured picture; null before any.
    const QImage& Picture1() const { return picture1_; }
    // The frame tool's rubber band, in window twips.
    QRectF imgFrameTool() const { return frameTool_; }
    bool imgFrameToolVisible() const;
    // The name offered for a file made from the document, with the extension `suffix`: beside
    // the document's file and named after it; before it has one, its generated name, as Save As
    // offers it.
    QString fileNamedAfterDocument(const QString& suffix) const;

    // The note box at (Box_Left, Box_Top) twips with the note of `MyNoteObject`.
    void Display_NoteBox(const NoteObject& MyNoteObject, const QString& Caption,
                         const QString& Description, const QString& Discussion, std::int32_t color,
                         float Box_Top, float Box_Left, int Box_Tag, int fontsize, int alignment);
    NoteBox& FrameNoteBox() const { return *noteBox_; }
    // Highlights `item` and makes it the program's selected item.
    void Show_Practice_Selection(const SelectedItem& item);
    // Clears the selection and the hover highlight; `keep` keeps the note box of cell `box`.
    void Clear_Selection(bool keep, int box);
    // The interaction whose practices the pointer highlights.
    void setHoveredInteraction(const std::shared_ptr<VRN_MatrixInteraction>& interaction) {
        hovered_ = interaction;
    }
    std::shared_ptr<VRN_MatrixInteraction> hoveredInteraction() const { return hovered_.lock(); }
    // What the status bar tells of a cell or an interaction cell (1-based control indices; 0 for
    // none). The window says it again after a redraw, so that a renamed element reads with its
    // new name.
    struct StatusSubject {
        int cell = 0;
        int interaction = 0;
    };
    void showStatusOf(const StatusSubject& subject);
    // The cell that Timer1 releases.
    void setPressedCell(const std::shared_ptr<CellControl>& cell) { pressedCell_ = cell; }
    // Where the last press on the window was, in window twips.
    QPointF lastPress() const { return lastPress_; }

    OneShotTimer Timer1{50};
    OneShotTimer timer_load_Practice_details{60};
    OneShotTimer Timer_Print_Report{800};
    OneShotTimer Timer_Export_word{800};
    QScrollBar* VScroll() const { return vScroll_; }
    QScrollBar* HScroll() const { return hScroll_; }
    void VScroll_Change();
    void HScroll_Change();
    void Timer1_Timer();
    void timer_load_Practice_details_Timer();

    // The elements behind the cells and interaction cells, by 1-based control index; nothing
    // when the index was never handed out or its element is gone.
    std::optional<CellObject> Cell_Object(int index) const;
    std::shared_ptr<VRN_MatrixInteraction> Interaction_Object(int index) const;
    int groupCellCount() const { return static_cast<int>(btnGroup_.size()); }
    int interactionCellCount() const { return lblInteract_.Count(); }
    int lineCount() const { return static_cast<int>(Lines_.size()); }
    const SceneCell& btnGroup(int index) const { return *btnGroup_.at(index - 1); }
    MatrixCanvas& canvas() const { return *canvas_; }

    // What the canvas draws of the controls handed out.
    CanvasCounts canvasCounts() const;

    // Presses, drags, hovers and clicks on the canvas's cells and buttons
    // (frm_matrix_presses.cpp). Indices are 1-based control indices; X and Y twips within the
    // control.
    // The clock of the double-press test, in seconds; tests put their own in.
    std::function<double()> pressClock;
    int Last_Pressed_Index = 0;
    void btnGroup_MouseDown(int Index, Qt::MouseButton Button, float X, float Y);
    void btnGroup_MouseMove(int Index);
    void btnGroup_DragDrop(int Index);
    void lblInteract_Click(int Index);
    void lblInteract_DblClick(int Index);
    void lblInteract_MouseDown(int Index, Qt::MouseButton Button, float X, float Y);
    void lblInteract_MouseMove(int Index);
    void btnUpAlt_Click();
    void btnDownAlt_Click();
    void btnSortDown_Click();
    void btnSortRight_Click();
    void btnSHowPGs_Click();
    void btnShowHorPGs_Click();
    void btnExisting_Click();
    void btnTarget_Click();
    // Locks the matrix for good after the user confirms, with a final save under a new name.
    void chkLock_Click();
    // The text fields of the attribution frame and the alternative's description are edited in
    // place (frm_matrix_text_fields.cpp): a press on one opens an editor over it, of one line or,
    // for the description, of several; leaving the editor writes the text into the document only
    // when it was edited.
    bool Text_Changed = false;
    QLineEdit& fieldEditor() const { return *fieldEditor_; }
    KeptTextEdit& descriptionEditor() const { return *descriptionEditor_; }
    // The logo, loaded from "Logo_On_Form.bmp" in the current folder; empty without it. A click
    // on it is a click on the window.
    const ScenePicture& logo() const { return logo_; }
    void loadLogo(const QString& file);
    // Leaves the field being edited, if any, writing what was typed into the document.
    void finishFieldEdit();
    // Every edit in progress in the window's in-place editors and its note box goes into the
    // document, so that what a command reads or writes is what the user sees. A command that
    // reads the document, or a dialog that loads from it, calls this first.
    void commitPendingEdits();
    // The 1-based index of the cell or interaction cell `control` is; 0 when it is neither.
    int groupCellIndex(const ScenePaintable* control) const;
    int interactionCellIndex(const ScenePaintable* control) const;

    // What the document asks of its window.
    std::shared_ptr<CellControl> CreatePracticeGroup(bool horizontal, CellObject obj) override;
    std::shared_ptr<InteractionLabel> CreateInteract(
        const std::shared_ptr<VRN_MatrixInteraction>& interaction) override;
    std::shared_ptr<LineControl> CreateLine() override;
    void HideObjDisplays() override;
    void SetScrollbars(float X, float& xmax, float Y, float& ymax) override;
    void alternative_name(const std::string& alt_name) override;

    float Height() const override;
    void setHeight(float value) override;
    float Width() const override;
    void setWidth(float value) override;
    std::int32_t BackColor() const override { return backColor_; }
    void setBackColor(std::int32_t value) override;
    bool Importance() const override { return importance_; }
    void setImportance(bool value) override { importance_ = value; }

    WindowControl& btnExisting() override { return btnExisting_; }
    WindowControl& btnTarget() override { return btnTarget_; }
    WindowControl& btnUpAlt() override { return btnUpAlt_; }
    WindowControl& btnDownAlt() override { return btnDownAlt_; }
    WindowControl& LblAltNum() override { return lblAltNum_; }
    WindowControl& btnSortDown() override { return btnSortDown_; }
    WindowControl& btnSortRight() override { return btnSortRight_; }
    WindowControl& btnShowHorPGs() override { return btnShowHorPGs_; }
    WindowControl& btnSHowPGs() override { return btnSHowPGs_; }
    LineControl& ThickLines(int index) override { return thickLines_.at(index); }
    WindowControl& FrameDescription() override { return frameDescription_; }
    WindowControl& txtDescription() override { return txtDescription_; }
    WindowControl& frmMatrixInteraction() override { return frmMatrixInteraction_; }
    WindowControl& frmImportance() override { return frmImportance_; }
    WindowControl& Label1(int index) override { return label1_.at(index); }
    WindowControl& frameAttribution() override { return frameAttribution_; }
    WindowControl& txtAuthors() override { return txtAuthors_; }
    WindowControl& txtAssignment() override { return txtAssignment_; }
    WindowControl& txtReview() override { return txtReview_; }
    WindowControl& txtSources() override { return txtSources_; }
    WindowControl& txtDocumentation() override { return txtDocumentation_; }
    WindowControl& txtFooter() override { return txtFooter_; }
    WindowControl& lblModifiedWhen() override { return lblModifiedWhen_; }
    WindowControl& lblFooter() override { return lblFooter_; }
    CheckBoxControl& chkLock() override { return chkLock_; }
    WindowControl& RichTextBox() override { return richTextBox_; }

signals:
    // The practice dialogs are due for the selected practice: its details, or its options
    // editor when it has an option group.
    void practiceDetailsRequested(std::shared_ptr<VRN_Practice> practice);
    void practiceOptionsRequested(std::shared_ptr<VRN_Practice> practice);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using CellObjectRef =
        std::variant<std::weak_ptr<VRN_Practice>, std::weak_ptr<VRN_PracticeGroup>>;
    using Kind = SceneFixedControl::Kind;

    QWidget* outerWindow() const;
    // Page Up and Down, the arrows, Home and End inside the window; false for other keys.
    bool matrixKey(int key);
    void wheelScroll(const QWheelEvent& wheel);
    ComponentContext componentContext() const;
    void forgetScene();
    SaveOutcome saveTo(const QString& path, bool unlocked);
    bool saveBeforeClosing();
    // `question` headed by the window's caption: the user may be asked by several in turn.
    QString aboutThisMatrix(const QString& question) const;
    void letGoOfSelection();
    // The practices of the hovered interaction get their own colours back.
    void clearHover();
    void placeFooter();
    void fitDescriptionBox();
    // The status text of `subject`; none for a blank cell or an element that is gone.
    std::optional<QString> statusTextOf(const StatusSubject& subject) const;
    // Says the status of the last subject again when the status bar still shows its text.
    void refreshStatus();
    void designControls();
    void showTitle();
    void writeNote(const QString& text);
    // Presses and drags on the canvas (frm_matrix_presses.cpp).
    void connectEditing();
    void connectFieldEditor();
    bool canvasPointerEvent(QEvent* event);
    bool canvasPress(const QMouseEvent& mouse, const CanvasHit& hit);
    bool canvasRelease(const QMouseEvent& mouse, const CanvasHit& hit);
    bool canvasMove(const QMouseEvent& mouse, const CanvasHit& hit);
    // A click on one of the window's own controls; false for any other control.
    bool controlClicked(const ScenePaintable* control);
    // A drag from this window ends at the screen position `global`: on a cell of this window or
    // of another one, it copies there.
    void dropAt(const QPointF& global, const CanvasHit& hit);
    void offerBlankRowRemoval(const std::shared_ptr<VRN_PracticeGroup>& group);
    // The popup menu of the cell `Index`, set up for `item`.
    void popupFor(const CellObject& item, int Index);
    void enableGroupPopup(MatrixHost& host, const VRN_PracticeGroup& group);
    // A left press on the cell `Index`: a drag starts, or a double press acts.
    void leftPress(const CellObject& item, int Index);
    void showPracticeNote(const std::shared_ptr<VRN_Practice>& practice, int Index);
    void showPracticeGroups(VRN_State& state);
    void renameState(VRN_State& state, const QString& prompt);
    void openPracticeDialogs(const std::shared_ptr<VRN_Practice>& practice, bool options);
    // Opens the editor over `control` when it is one of the text fields; false when it is not.
    bool beginFieldEdit(const ScenePaintable* control);
    // The editor of the text field `control`: several lines for the description, one otherwise.
    QWidget* editorFor(const ScenePaintable* control) const;
    // Writes the open editor's text into the document when it was edited; the editor stays.
    void writeFieldEdit();
    // The open editor stands over its field, wherever the drawing put the field; a field that no
    // longer shows is left.
    void placeFieldEditor();
    bool fieldEditorEvent(QObject* watched, QEvent* event);
    // A double click on the field `control`; false when the field has none.
    bool fieldDoubleClicked(const ScenePaintable* control);
    // Keeps the typed description, then opens it in the directions dialog.
    void txtDescription_DblClick();
    // Opens the documentation field's link.
    void txtDocumentation_DblClick();
    void FrameDescription_Click();
    // Asks for a new title.
    void FrameDescription_DblClick();
    void placeLogo();
    // The document's text that the field `control` shows and edits; null for any other control.
    std::string* fieldText(const ScenePaintable* control);
    void Copy_Report_Options();
    // The rubber band follows the pointer at (X, Y) twips.
    void frameToolFollows(float X, float Y);
    void placeFrameTool();

    VrnMain& program_;
    Prompt& prompt_;
    MatrixCanvas* canvas_;
    QScrollBar* vScroll_;
    QScrollBar* hScroll_;
    SceneContext context_;

    QString caption_;
    std::shared_ptr<VRN_Matrix> base_;
    std::shared_ptr<CatalogueEntity> ent_;
    std::int32_t backColor_;
    bool importance_ = false;

    std::deque<std::shared_ptr<SceneCell>> btnGroup_;
    std::deque<CellObjectRef> cellObjects_;
    // With the interactions behind them (Interaction_Objects).
    InteractionCells lblInteract_{context_};
    std::deque<std::shared_ptr<SceneLine>> Lines_;

    NoteBox* noteBox_;
    std::variant<std::monostate, std::weak_ptr<VRN_Practice>, std::weak_ptr<VRN_MatrixInteraction>>
        noteObject_;
    std::weak_ptr<VRN_MatrixInteraction> hovered_;
    StatusSubject statusSubject_;
    QString statusShown_;
    std::weak_ptr<CellControl> pressedCell_;
    QPointF lastPress_;
    // The cell a left press may drag from, and where the press was in canvas pixels.
    int dragFrom_ = 0;
    QPointF dragStart_;
    // The control a left press went down on, for the click on its release.
    const ScenePaintable* pressedControl_ = nullptr;
    KeptLineEdit* fieldEditor_ = nullptr;
    KeptTextEdit* descriptionEditor_ = nullptr;
    QObject* fieldEditorFilter_ = nullptr;
    // A click on the title frame renames the matrix once no double click follows.
    OneShotTimer frameDescriptionClick_{0};
    // Hands the canvas's pointer events to this window; it goes first when the window goes.
    QObject* canvasPointerFilter_ = nullptr;
    SceneFixedControl* editedField_ = nullptr;
    // Set while SetScrollbars adjusts the bars: their changes are not the user's.
    bool scrollGuard_ = false;
    // The window closes without asking: its document could not be read, or the user already
    // answered for it.
    bool closesUnasked_ = false;

    SceneFixedControl btnExisting_{context_, Kind::Button};
    SceneFixedControl btnTarget_{context_, Kind::Button};
    SceneFixedControl btnUpAlt_{context_, Kind::Button};
    SceneFixedControl btnDownAlt_{context_, Kind::Button};
    SceneFixedControl lblAltNum_{context_, Kind::Label};
    SceneFixedControl btnSortDown_{context_, Kind::Button};
    SceneFixedControl btnSortRight_{context_, Kind::Button};
    SceneFixedControl btnShowHorPGs_{context_, Kind::Button};
    SceneFixedControl btnSHowPGs_{context_, Kind::Button};
    std::array<SceneLine, 2> thickLines_{SceneLine(context_), SceneLine(context_)};
    SceneFixedControl frameDescription_{context_, Kind::Frame};
    SceneFixedControl txtDescription_{context_, Kind::TextBox};
    SceneFixedControl frmMatrixInteraction_{context_, Kind::Frame};
    SceneFixedControl frmImportance_{context_, Kind::Frame};
    std::deque<SceneFixedControl> label1_;
    SceneFixedControl frameAttribution_{context_, Kind::Frame};
    SceneFixedControl txtAuthors_{context_, Kind::TextBox};
    SceneFixedControl txtAssignment_{context_, Kind::TextBox};
    SceneFixedControl txtReview_{context_, Kind::TextBox};
    SceneFixedControl txtSources_{context_, Kind::TextBox};
    SceneFixedControl txtDocumentation_{context_, Kind::TextBox};
    SceneFixedControl txtFooter_{context_, Kind::TextBox};
    SceneFixedControl lblModifiedWhen_{context_, Kind::Label};
    SceneFixedControl lblFooter_{context_, Kind::Label};
    SceneCheckBox chkLock_{context_};
    SceneFixedControl richTextBox_{context_, Kind::TextBox};
    ScenePicture logo_{context_};
    QImage picture1_;
    QRectF frameTool_{0, 0, 10, 10};
    QRubberBand* frameToolBand_;
    // The attribution frame's captions, which nothing outside the window reaches.
    std::deque<SceneFixedControl> attributionCaptions_;
};

}  // namespace vrn
