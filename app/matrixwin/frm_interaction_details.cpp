#include "app/matrixwin/frm_interaction_details.h"

#include "app/common/named_widgets.h"
#include "app/matrixwin/detail_dialog_support.h"
#include "app/matrixwin/kept_text_box.h"
#include "app/matrixwin/vrn_main.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "platform/prompt.h"
#include "platform/user_text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace vrn {

namespace {

struct ValueRow {
    const char* value;
    const char* note;
    const char* caption;
};

// The values in the order of their buttons, with the note each one writes.
constexpr std::array<ValueRow, FrmInteractionDetails::kValueCount> kValues{{
    {"+", "Reinforcing Interaction", "+  Reinforcing"},
    {"", "", "None"},
    {"-", "Interfering Interaction", "-  Interfering"},
    {"?", "Question", "?  Question"},
}};

constexpr int kDesignWidth = 520;
constexpr int kDescriptionLines = 4;
// Each practice name shows on at most this many lines, so that both show; the label on at most
// as many as they take together.
constexpr qreal kNameLines = 2;
constexpr qsizetype kInteractionLines = 6;

QString practiceName(const std::weak_ptr<VRN_Practice>& practice) {
    const auto shown = practice.lock();
    return shown != nullptr ? QString::fromStdString(shown->Name()) : QString();
}

QString interactionText(const QString& second, const QString& first) {
    return QStringLiteral("Interaction:  '") + second + QStringLiteral("'  --and--  '") + first +
           QStringLiteral("'");
}

// The two practices within the screen; when a name is shortened, the label's tool tip shows both
// whole.
void showInteraction(QLabel& label, const QString& second, const QString& first) {
    const QFontMetricsF metrics(label.font());
    const qreal nameWidth = kNameLines * userTextRoom(metrics, label.screen()).width;
    const QString shownSecond = elidedLine(metrics, second, nameWidth);
    const QString shownFirst = elidedLine(metrics, first, nameWidth);
    showFittedText(label, interactionText(shownSecond, shownFirst), kInteractionLines);
    if (shownSecond != second || shownFirst != first) {
        label.setToolTip(plainToolTip(interactionText(second, first), label.screen()));
    }
}

}  // namespace

FrmInteractionDetails::FrmInteractionDetails(DetailDialogServices services,
                                             VRN_MatrixInteraction& interaction, QWidget* parent)
    : QDialog(parent), services_(services), interaction_(interaction) {
    setObjectName(QStringLiteral("frmInteractionDetails"));
    setWindowTitle(QStringLiteral("Interaction Details"));
    setModal(true);

    // Practice names are shown as typed, never as markup (showInteraction).
    lblInteraction_ = namedLabel({}, "LblInteraction", this);

    values_ = new QButtonGroup(this);
    auto* valueRow = new QHBoxLayout;
    for (int index = 0; index < kValueCount; ++index) {
        auto* button = namedButton(QLatin1String(kValues.at(index).caption),
                                   ("btnInteraction_" + std::to_string(index)).c_str(), this);
        button->setCheckable(true);
        values_->addButton(button, index);
        valueRow->addWidget(button);
        valueButtons_.at(index) = button;
    }
    connect(values_, &QButtonGroup::idClicked, this, &FrmInteractionDetails::btnInteraction_Click);

    lblColor_ = namedLabel(QStringLiteral("Color"), "LBLcolor_choice", this);
    btnColor_ = namedButton({}, "btnmycolor", this);
    btnColor_->setAccessibleName(QStringLiteral("Color"));
    connect(btnColor_, &QPushButton::clicked, this, &FrmInteractionDetails::btnmycolor_Click);
    valueRow->addSpacing(12);
    valueRow->addWidget(lblColor_);
    valueRow->addWidget(btnColor_);

    txtNote_ = new KeptLineEdit(this);
    txtNote_->setObjectName(QStringLiteral("txtNote"));
    txtDescription_ = newDescriptionBox(this, kDescriptionLines);
    txtDiscussion_ = newDiscussionBox(this, true);
    txtNote_->installEventFilter(this);
    txtDescription_->installEventFilter(this);
    txtDiscussion_->installEventFilter(this);
    const auto changed = [this] { changed_ = true; };
    connect(txtNote_, &QLineEdit::textChanged, this, changed);
    connect(txtDescription_, &QPlainTextEdit::textChanged, this, changed);
    connect(txtDiscussion_, &QLineEdit::textChanged, this, changed);

    lstExceptions_ = new QListWidget(this);
    lstExceptions_->setObjectName(QStringLiteral("LstExceptions"));
    lstExceptions_->viewport()->installEventFilter(this);
    lstExceptions_->setMaximumHeight(txtDescription_->height());

    auto* fields = new QGridLayout;
    int row = 0;
    const auto addRow = [this, fields, &row](const char* label, QWidget* box) {
        fields->addWidget(namedLabel(QLatin1String(label), "", this), row, 0, Qt::AlignTop);
        fields->addWidget(box, row++, 1);
    };
    addRow("Note", txtNote_);
    addRow("Description", txtDescription_);
    addRow("Discussion URL", txtDiscussion_);
    addRow("Exceptions", lstExceptions_);

    QPushButton* details = namedButton(QStringLiteral("Details"), "Command1", this);
    QPushButton* remove = namedButton(QStringLiteral("Delete"), "btndeleteRelation", this);
    QPushButton* ok = namedButton(QStringLiteral("OK"), "btnOK", this);
    ok->setDefault(true);
    const auto notYet = [this] { services_.prompt.messageBox(QStringLiteral("TBD")); };
    connect(details, &QPushButton::clicked, this, notYet);
    connect(remove, &QPushButton::clicked, this, notYet);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(details);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInteraction_);
    layout->addLayout(valueRow);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    Load_Data();
    resize(kDesignWidth, sizeHint().height());
}

QPushButton& FrmInteractionDetails::valueButton(int index) const {
    return *valueButtons_.at(index);
}

int FrmInteractionDetails::pressedValue() const {
    return values_->checkedId();
}

void FrmInteractionDetails::set_buttons(const std::string& Value) {
    // An exclusive group keeps one button pressed; let go of it so an unknown value shows none.
    values_->setExclusive(false);
    for (int index = 0; index < kValueCount; ++index) {
        valueButtons_.at(index)->setChecked(Value == kValues.at(index).value);
    }
    values_->setExclusive(true);
}

void FrmInteractionDetails::Load_Data() {
    set_buttons(interaction_.Value());
    // The colour belongs to interactions between an existing and a target practice: those are
    // the document's own, whatever the pointer last passed over.
    const bool cross = interaction_.IsCross();
    lblColor_->setVisible(cross);
    btnColor_->setVisible(cross);
    if (cross) {
        showButtonColor(*btnColor_, colorOrDefault(services_.program, interaction_.color));
    }
    showInteraction(*lblInteraction_, practiceName(interaction_.practice2),
                    practiceName(interaction_.Practice1));
    txtNote_->setKeptText(interaction_.Note());
    txtDescription_->setKeptText(interaction_.Description());
    txtDiscussion_->setKeptText(interaction_.Discussion());
    changed_ = false;
}

void FrmInteractionDetails::setNote(const std::string& note) {
    interaction_.setNote(note);
    if (interaction_.Display != nullptr) {
        interaction_.Display->setToolTipText(note);
    }
}

void FrmInteractionDetails::btnInteraction_Click(int index) {
    if (index < 0 || index >= kValueCount) {
        return;
    }
    setNote(kValues.at(index).note);
    interaction_.setValue(kValues.at(index).value);
    txtNote_->setKeptText(interaction_.Note());
    // The note box now shows what the interaction holds.
    changed_ = false;
}

void FrmInteractionDetails::btnmycolor_Click() {
    const qint32 color = chooseNewColor(services_.prompt, buttonColor(*btnColor_));
    showButtonColor(*btnColor_, color);
    interaction_.color = color;
    if (interaction_.Display != nullptr) {
        interaction_.Display->setBackColor(color);
    }
}

void FrmInteractionDetails::writeBack(QObject* control) {
    if (!changed_) {
        return;
    }
    if (control == txtNote_) {
        setNote(txtNote_->keptText());
    } else if (control == txtDescription_) {
        interaction_.setDescription(txtDescription_->keptText());
    } else if (control == txtDiscussion_) {
        interaction_.setDiscussion(txtDiscussion_->keptText());
    } else {
        return;
    }
    changed_ = false;
}

bool FrmInteractionDetails::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        writeBack(watched);
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == txtDiscussion_) {
            openDiscussion(services_, txtDiscussion_->text());
        } else if (watched == lstExceptions_->viewport()) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            services_.prompt.messageBox(QStringLiteral(
                "This operation is Unsupported in the standalone version of the VRN software"));
            QApplication::restoreOverrideCursor();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmInteractionDetails::done(int result) {
    // Whatever closes the dialog, the box being typed in keeps its text.
    writeBack(focusWidget());
    QDialog::done(result);
}

}  // namespace vrn
