#include "app/matrixwin/frm_matrix.h"

#include "app/common/command_guard.h"
#include "model/vrn_matrix.h"
#include "model/vrn_state.h"

#include <QLineEdit>

#include <array>
#include <utility>

// The matrix window's text fields: the attribution frame's fields and the active alternative's
// description are drawn on the canvas like every other control; a press on one puts an editor
// over it. Every edit sets the window's Text_Changed; leaving the editor writes the whole text
// into the document only while it is set, so leaving an unedited field writes nothing.

namespace vrn {

void frmMatrix::connectFieldEditor() {
    fieldEditor_ = new QLineEdit(canvas_);
    fieldEditor_->setObjectName(QStringLiteral("fieldEditor"));
    fieldEditor_->hide();
    connect(fieldEditor_, &QLineEdit::textEdited, this, [this] { Text_Changed = true; });
    connect(fieldEditor_, &QLineEdit::editingFinished, this,
            [this] { runGuarded(prompt_, [this] { finishFieldEdit(); }); });
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

bool frmMatrix::beginFieldEdit(const ScenePaintable* control) {
    const std::string* text = control != nullptr ? fieldText(control) : nullptr;
    if (text == nullptr) {
        return false;
    }
    if (control == &txtDescription_) {
        Clear_Selection(false, 0);
    }
    editedField_ = const_cast<SceneFixedControl*>(static_cast<const SceneFixedControl*>(control));
    fieldEditor_->setGeometry(control->paintRect().toAlignedRect());
    fieldEditor_->setText(QString::fromStdString(*text));
    fieldEditor_->show();
    fieldEditor_->raise();
    fieldEditor_->setFocus();
    return true;
}

void frmMatrix::finishFieldEdit() {
    SceneFixedControl* field = std::exchange(editedField_, nullptr);
    if (field == nullptr) {
        return;
    }
    fieldEditor_->hide();
    if (!Text_Changed) {
        return;
    }
    Text_Changed = false;
    if (std::string* text = fieldText(field)) {
        *text = fieldEditor_->text().toStdString();
        field->setText(*text);
    }
}

}  // namespace vrn
