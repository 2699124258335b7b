#include "app/matrixwin/frm_matrix.h"

#include "app/common/command_guard.h"
#include "app/matrixwin/event_handler_filter.h"
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/note_box.h"
#include "app/matrixwin/window_units.h"
#include "model/vrn_matrix.h"
#include "model/vrn_state.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <array>
#include <utility>

// The matrix window's text fields: the attribution frame's fields and the active alternative's
// description are drawn on the canvas like every other control; a press on one puts an editor
// over it, one line for the attribution's fields, several for the description, which moves with
// its field when the window is drawn again. Every edit sets the window's Text_Changed; losing the
// focus for any reason, leaving the editor and a command's request (commitPendingEdits) write the
// whole text into the document only while it is set, so leaving an unedited field writes nothing.
// Double clicks on the description, the documentation field and the title frame, and the logo,
// act as the window's own.

namespace vrn {

namespace {

// The description shows in the highlighted-text colour while it is being edited.
constexpr qint32 kOleHighlightText = oleSystemColor(0x0E);
// A documentation text this short is no link.
constexpr qsizetype kShortestLink = 3;
// The logo keeps this far from the window's right edge and its footer.
constexpr float kLogoMarginTwips = 60;

}  // namespace

void frmMatrix::connectFieldEditor() {
    // Texts of any length, and an unedited one written back as it was.
    fieldEditor_ = new KeptLineEdit(canvas_);
    fieldEditor_->setObjectName(QStringLiteral("fieldEditor"));
    fieldEditor_->hide();
    connect(fieldEditor_, &QLineEdit::textEdited, this, [this] { Text_Changed = true; });
    connect(fieldEditor_, &QLineEdit::editingFinished, this,
            [this] { runGuarded(prompt_, [this] { finishFieldEdit(); }); });

    // As the dialogs' description boxes: a text keeps its own line ends, and a break typed into
    // one without any ends as the file's lines do.
    descriptionEditor_ = new KeptTextEdit(canvas_);
    descriptionEditor_->setObjectName(QStringLiteral("descriptionEditor"));
    descriptionEditor_->hide();
    connect(descriptionEditor_, &QPlainTextEdit::textChanged, this,
            [this] { Text_Changed = true; });

    fieldEditorFilter_ = new EventHandlerFilter(
        this, [this](QObject* watched, QEvent* event) { return fieldEditorEvent(watched, event); });
    fieldEditor_->installEventFilter(fieldEditorFilter_);
    descriptionEditor_->installEventFilter(fieldEditorFilter_);
    descriptionEditor_->viewport()->installEventFilter(fieldEditorFilter_);

    frameDescriptionClick_.setInterval(QApplication::doubleClickInterval());
    connect(&frameDescriptionClick_, &QTimer::timeout, this,
            [this] { runGuarded(prompt_, [this] { RenameMatrix(); }); });
}

bool frmMatrix::fieldEditorEvent(QObject* watched, QEvent* event) {
    bool handled = false;
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The second press of a double click on a field lands on its editor.
        runGuarded(prompt_, [this, &handled] {
            const ScenePaintable* field = editedField_;
            if (field == &txtDescription_ || field == &txtDocumentation_) {
                finishFieldEdit();
                handled = fieldDoubleClicked(field);
            }
        });
    } else if ((watched == descriptionEditor_ || watched == fieldEditor_) &&
               event->type() == QEvent::FocusOut) {
        // Whatever takes the focus, the document has the text from now on. A popup or another
        // window takes it only for a while: the description's editor stays open for the user to
        // go on (a one-line field's editor ends its edit there anyway, by editingFinished).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool forAWhile =
            reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
        runGuarded(prompt_, [this, forAWhile] {
            if (forAWhile) {
                writeFieldEdit();
            } else {
                finishFieldEdit();
            }
        });
    } else if (watched == descriptionEditor_ && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        runGuarded(prompt_, [this] { finishFieldEdit(); });
        handled = true;
    }
    return handled;
}

std::string* frmMatrix::fieldText(const ScenePaintable* control) {
    VRN_Matrix& document = *base();
    const std::array<std::pair<const ScenePaintable*, std::string*>, 6> fields{{
        {&txtAssignment_, &document.Assignment},
        {&txtAuthors_, &document.Authors},
        {&txtDocumentation_, &document.Distribution},
        {&txtFooter_, &document.footer},
        {&txtReview_, &document.Review},
        {&txtSources_, &document.Sources},
    }};
    for (const auto& [field, text] : fields) {
        if (field == control) {
            return text;
        }
    }
    if (control == &txtDescription_) {
        if (const auto state = document.activeAlternative()) {
            return &state->Description;
        }
    }
    return nullptr;
}

QWidget* frmMatrix::editorFor(const ScenePaintable* control) const {
    return control == &txtDescription_ ? static_cast<QWidget*>(descriptionEditor_) : fieldEditor_;
}

bool frmMatrix::beginFieldEdit(const ScenePaintable* control) {
    const std::string* text = control != nullptr ? fieldText(control) : nullptr;
    if (text == nullptr) {
        return false;
    }
    editedField_ = const_cast<SceneFixedControl*>(static_cast<const SceneFixedControl*>(control));
    QWidget* editor = editorFor(control);
    // Set up quietly: only what the user types counts as an edit.
    const QSignalBlocker quiet(descriptionEditor_);
    placeFieldEditor();
    if (control == &txtDescription_) {
        Clear_Selection(false, 0);
        txtDescription_.setBackColor(kOleHighlightText);
        descriptionEditor_->setKeptText(*text);
    } else {
        fieldEditor_->setKeptText(*text);
    }
    editor->show();
    editor->raise();
    editor->setFocus();
    return true;
}

void frmMatrix::placeFieldEditor() {
    if (editedField_ == nullptr) {
        return;
    }
    if (!editedField_->paintShown()) {
        finishFieldEdit();
        return;
    }
    QWidget* editor = editorFor(editedField_);
    QFont font = editor->font();
    const float points = editedField_->fontsize();
    font.setPointSizeF(points > 0 ? points : QApplication::font().pointSizeF());
    editor->setFont(font);
    editor->setGeometry(editedField_->paintRect().toAlignedRect());
}

void frmMatrix::writeFieldEdit() {
    if (editedField_ == nullptr || !Text_Changed) {
        return;
    }
    Text_Changed = false;
    if (std::string* text = fieldText(editedField_)) {
        *text = editedField_ == &txtDescription_ ? descriptionEditor_->keptText()
                                                 : fieldEditor_->keptText();
        editedField_->setText(*text);
    }
}

void frmMatrix::finishFieldEdit() {
    writeFieldEdit();
    SceneFixedControl* field = std::exchange(editedField_, nullptr);
    if (field == nullptr) {
        return;
    }
    // Hiding the editor moves the focus, which finds no edit left.
    editorFor(field)->hide();
    if (field == &txtDescription_) {
        txtDescription_.setBackColor(program_.prefs.Color_3);
    }
}

void frmMatrix::commitPendingEdits() {
    finishFieldEdit();
    noteBox_->commitNote();
}

bool frmMatrix::fieldDoubleClicked(const ScenePaintable* control) {
    if (control == &txtDescription_) {
        txtDescription_DblClick();
        return true;
    }
    if (control == &txtDocumentation_) {
        txtDocumentation_DblClick();
        return true;
    }
    return false;
}

void frmMatrix::txtDescription_DblClick() {
    // What was typed is kept before the dialog opens on it.
    finishFieldEdit();
    VRN_Matrix& document = *base();
    const std::shared_ptr<VRN_State> alternative = document.activeAlternative();
    MatrixHost* host = program_.Main_Window;
    if (alternative == nullptr) {
        return;
    }
    Show_Directions_Dialog(program_, prompt_, QStringLiteral("Description"), alternative,
                           host != nullptr ? host->dialogParent() : this);
    txtDescription_.setText(alternative->Description);
}

void frmMatrix::txtDocumentation_DblClick() {
    finishFieldEdit();
    const QString link = QString::fromStdString(base()->Distribution);
    if (link.size() >= kShortestLink) {
        if (MatrixHost* host = program_.Main_Window) {
            host->Open_In_Browser(link);
        }
    }
}

void frmMatrix::FrameDescription_Click() {
    // A click waits out the double-click time: a double click asks for the title once.
    frameDescriptionClick_.setEnabled(true);
}

void frmMatrix::FrameDescription_DblClick() {
    frameDescriptionClick_.stop();
    const std::optional<QString> answer =
        prompt_.inputBox(QStringLiteral("What is the new title?"), QStringLiteral("VRN Title"),
                         QString::fromStdString(frameDescription_.text()));
    if (answer && !answer->isEmpty()) {
        frameDescription_.setText(answer->toStdString());
        base()->title = answer->toStdString();
    }
}

void frmMatrix::loadLogo(const QString& file) {
    // A missing or unreadable picture leaves the logo empty, and nothing is said.
    const QImage picture(file);
    logo_.setPicture(picture);
    logo_.setWidth(windowTwips(picture.width()));
    logo_.setHeight(windowTwips(picture.height()));
    logo_.setVisible(!picture.isNull());
    // Behind the matrix: a cell over it takes the presses.
    logo_.ZOrder(1);
    placeLogo();
}

void frmMatrix::placeLogo() {
    logo_.setLeft(windowTwips(canvas_->width()) - logo_.Width() - kLogoMarginTwips);
    logo_.setTop(lblFooter_.top() - logo_.Height() - kLogoMarginTwips);
}

}  // namespace vrn
