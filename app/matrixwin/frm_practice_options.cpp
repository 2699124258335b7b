#include "app/matrixwin/frm_practice_options.h"

#include "app/common/named_widgets.h"
#include "app/matrixwin/detail_dialog_support.h"
#include "app/matrixwin/frm_option_details.h"
#include "app/matrixwin/kept_text_box.h"
#include "app/matrixwin/vrn_main.h"
#include "model/file/record_value_text.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "platform/prompt.h"
#include "platform/user_text.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace vrn {

namespace {

constexpr int kDesignWidth = 500;
// Room beside a name in the drop-down list: the item's padding and a scroll bar.
constexpr int kListMarginPixels = 40;
// Room for the window's frame on each side.
constexpr int kWindowFramePixels = 16;
constexpr int kDescriptionLines = 4;
const std::string kNewOptionName = "New Option";
const std::string kGroupSuffix = "_OptionGroup";

bool equalsPractice(const VRN_Option& option, const VRN_Practice& practice) {
    return option.Name() == practice.Name() && option.Description() == practice.Description() &&
           option.Discussion == practice.Discussion;
}

int availableWidth(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    return screen != nullptr ? screen->availableGeometry().width() : kDesignWidth;
}

// The widest the option list may make its drop-down list: a name longer than this shows whole in
// the tool tip.
int widestList(const QWidget& box) {
    return std::max(kDesignWidth, availableWidth(box) * 2 / 3);
}

// The widest the box may make the dialog: what the screen leaves beside the box's label and
// buttons.
int widestBox(const QWidget& dialog, const QComboBox& box) {
    const int beside = dialog.minimumSizeHint().width() - box.minimumSizeHint().width();
    return std::max(box.minimumSizeHint().width(),
                    availableWidth(dialog) - beside - 2 * kWindowFramePixels);
}

// Every name shows whole: the box and its drop-down list are as wide as the longest (up to
// widestBox and widestList), and each entry carries its name as tool tip.
void showWholeNames(QComboBox& box) {
    int widest = 0;
    const QFontMetrics metrics(box.view()->font());
    for (int index = 0; index < box.count(); ++index) {
        const QString name = box.itemText(index);
        box.setItemData(index, plainToolTip(name), Qt::ToolTipRole);
        widest = std::max(widest, metrics.horizontalAdvance(name));
    }
    const int frame = 2 * box.view()->frameWidth() + kListMarginPixels;
    box.view()->setMinimumWidth(std::min(widest + frame, widestList(box)));
    // The dialog widens as far as its box needs, also for a name added while it is open.
    box.setMinimumWidth(std::min(box.sizeHint().width(), box.maximumWidth()));
    box.setToolTip(plainToolTip(box.currentText()));
}

}  // namespace

FrmPracticeOptions::FrmPracticeOptions(DetailDialogServices services, VRN_Practice& practice,
                                       PracticeSetter set_practice, QWidget* parent)
    : QDialog(parent),
      services_(services),
      practice_(practice),
      set_practice_(std::move(set_practice)) {
    setObjectName(QStringLiteral("frmPracticeOptions"));
    setWindowTitle(QStringLiteral("Practice Options"));
    setModal(true);

    txtPrompt_ = new KeptLineEdit(this);
    txtPrompt_->setObjectName(QStringLiteral("TxtPrompt"));
    txtPrompt_->installEventFilter(this);
    connect(txtPrompt_, &QLineEdit::textChanged, this, [this] { promptChanged_ = true; });
    cmbPracticeName_ = new QComboBox(this);
    cmbPracticeName_->setObjectName(QStringLiteral("cmbPracticeName"));
    cmbPracticeName_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(cmbPracticeName_, &QComboBox::currentTextChanged, cmbPracticeName_,
            [box = cmbPracticeName_](const QString& name) { box->setToolTip(plainToolTip(name)); });
    connect(cmbPracticeName_, &QComboBox::activated, this,
            &FrmPracticeOptions::cmbPracticeName_Click);
    txtDescription_ = newDescriptionBox(this, kDescriptionLines);
    txtDiscussion_ = newDiscussionBox(this, false);

    QPushButton* add = namedButton(QStringLiteral("Add Option"), "btnAddOption", this);
    btnDetails_ = namedButton(QStringLiteral("Edit"), "btnDetails", this);
    btnDelete_ = namedButton(QStringLiteral("Delete Option"), "btndelete", this);
    QPushButton* ok = namedButton(QStringLiteral("OK"), "btnOK", this);
    QPushButton* cancel = namedButton(QStringLiteral("Cancel"), "btnCancel", this);
    ok->setDefault(true);
    connect(add, &QPushButton::clicked, this, &FrmPracticeOptions::btnAddOption_Click);
    connect(btnDetails_, &QPushButton::clicked, this, &FrmPracticeOptions::btnDetails_Click);
    connect(btnDelete_, &QPushButton::clicked, this, &FrmPracticeOptions::btndelete_Click);
    connect(ok, &QPushButton::clicked, this, &FrmPracticeOptions::btnOK_Click);
    connect(cancel, &QPushButton::clicked, this, &FrmPracticeOptions::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(namedLabel(QStringLiteral("Question"), "", this), 0, 0);
    fields->addWidget(txtPrompt_, 0, 1, 1, 2);
    fields->addWidget(namedLabel(QStringLiteral("Options"), "Label1", this), 1, 0);
    fields->addWidget(cmbPracticeName_, 1, 1);
    auto* optionButtons = new QHBoxLayout;
    optionButtons->addWidget(add);
    optionButtons->addWidget(btnDetails_);
    optionButtons->addWidget(btnDelete_);
    fields->addLayout(optionButtons, 1, 2);
    fields->addWidget(namedLabel(QStringLiteral("Description"), "", this), 2, 0, Qt::AlignTop);
    fields->addWidget(txtDescription_, 2, 1, 1, 2);
    fields->addWidget(namedLabel(QStringLiteral("Discussion URL"), "", this), 3, 0);
    fields->addWidget(txtDiscussion_, 3, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    buildMenus();
    cmbPracticeName_->setMaximumWidth(widestBox(*this, *cmbPracticeName_));

    editOption = [this](VRN_Option& option) {
        FrmOptionDetails details(services_, option, this);
        details.exec();
    };

    Load_Data(false, false);
    resize(kDesignWidth, sizeHint().height());
}

void FrmPracticeOptions::buildMenus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    const auto item = [this](QMenu* menu, const char* caption, const char* name,
                             QPushButton* button) {
        QAction* action = menu->addAction(QLatin1String(caption));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, button, &QPushButton::click);
        return action;
    };
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    item(file, "Quit", "munFileCancel", &namedChild<QPushButton>(*this, "btnCancel"));
    file->addSeparator();
    item(file, "Exit", "mnuFileOK", &namedChild<QPushButton>(*this, "btnOK"));
    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("MnuOptions"));
    item(options, "Add Option to list", "mnuOptionsAdd",
         &namedChild<QPushButton>(*this, "btnAddOption"));
    item(options, "Edit Option", "MnuOptionsEdit", btnDetails_);
    options->addSeparator();
    mnuOptionsDelete_ = item(options, "Delete Option", "mnuOptionsDelete", btnDelete_);
    layout()->setMenuBar(bar);
}

std::shared_ptr<VRN_Option> FrmPracticeOptions::newOption(
    const std::string& name, const std::shared_ptr<VRN_Optiongroup>& group) {
    auto option = std::make_shared<VRN_Option>();
    option->Create(name, group, practice_.InForm);
    return option;
}

void FrmPracticeOptions::createFirstOption(bool keepEntity) {
    const auto practice = practice_.shared_from_this();
    auto group = std::make_shared<VRN_Optiongroup>();
    group->Create(practice_.Name() + kGroupSuffix, practice, practice_.InForm);
    auto option = std::make_shared<VRN_Option>();
    if (keepEntity) {
        option->Create(practice_.Name(), group, practice_.InForm, practice_.is_entity,
                       practice_.entity_UID);
        option->entity_UID = practice_.entity_UID;
    } else {
        option->Create(practice_.Name(), group, practice_.InForm);
    }
    option->setDescription(practice_.Description());
    option->Discussion = practice_.Discussion;
    cmbPracticeName_->addItem(QString::fromStdString(option->Name()));
    txtDescription_->setKeptText(option->Description());
    txtDiscussion_->setKeptText(option->Discussion);
}

void FrmPracticeOptions::Load_Data(bool afterFirstEdited, bool keepOptions) {
    cmbPracticeName_->clear();
    if (practice_.OptionGroup == nullptr) {
        createFirstOption(false);
        practice_.OptionGroup->Prompt = "What question?";
        txtPrompt_->setKeptText(practice_.OptionGroup->Prompt);
        cmbPracticeName_->setCurrentIndex(0);
    } else {
        const auto group = practice_.OptionGroup;
        txtPrompt_->setKeptText(group->Prompt);
        int matched = 0;
        int position = 0;
        for (const auto& option : group->Options) {
            ++position;
            cmbPracticeName_->addItem(QString::fromStdString(option->Name()));
            if (equalsPractice(*option, practice_)) {
                matched = position;
            }
        }
        if (matched != 0) {
            cmbPracticeName_->setCurrentIndex(matched - 1);
        } else if (!afterFirstEdited && !keepOptions) {
            const auto option = newOption(practice_.Name(), group);
            option->setDescription(practice_.Description());
            option->Discussion = practice_.Discussion;
            cmbPracticeName_->addItem(QString::fromStdString(option->Name()));
            cmbPracticeName_->setCurrentIndex(cmbPracticeName_->count() - 1);
        } else {
            cmbPracticeName_->setCurrentIndex(-1);
        }
    }
    showWholeNames(*cmbPracticeName_);
    // Filling the question counts as a change.
    promptChanged_ = true;
    cmbPracticeName_Click();
}

void FrmPracticeOptions::cmbPracticeName_Click() {
    const auto& group = practice_.OptionGroup;
    const int count = group != nullptr ? group->Options.Count() : 0;
    if (cmbPracticeName_->count() == 0 || count == 0) {
        position_ = 0;
        btnDetails_->setEnabled(false);
        btnDelete_->setEnabled(false);
        mnuOptionsDelete_->setEnabled(false);
        return;
    }
    if (cmbPracticeName_->currentIndex() < 0) {
        cmbPracticeName_->setCurrentIndex(0);
    }
    position_ = std::min(cmbPracticeName_->currentIndex() + 1, count);
    const bool mayDelete = !(position_ == 1 && count == 1);
    btnDelete_->setEnabled(mayDelete);
    mnuOptionsDelete_->setEnabled(mayDelete);
    const VRN_Option& option = *group->Options.Item(position_);
    txtDescription_->setKeptText(option.Description());
    txtDiscussion_->setKeptText(option.Discussion);
    color_ = option.color;
    btnDetails_->setEnabled(true);
}

void FrmPracticeOptions::btnAddOption_Click() {
    if (practice_.OptionGroup == nullptr) {
        createFirstOption(false);
    }
    auto option = std::make_shared<VRN_Option>();
    option->setName(kNewOptionName);
    services_.program.Current_Option = option;
    editOption(*option);
    const std::string name = option->Name();
    if (name == kNewOptionName || name.empty()) {
        return;
    }
    option->Create(name, practice_.OptionGroup, practice_.InForm);
    Load_Data(false, false);
}

void FrmPracticeOptions::btnDetails_Click() {
    const auto& group = practice_.OptionGroup;
    if (position_ == 0 || group == nullptr || position_ > group->Options.Count()) {
        return;
    }
    const int edited = position_;
    services_.program.Current_Option = group->Options.Item(edited);
    editOption(*services_.program.Current_Option);
    Load_Data(edited == 1, false);
}

void FrmPracticeOptions::btndelete_Click() {
    const auto& group = practice_.OptionGroup;
    if (position_ == 0 || group == nullptr || position_ > group->Options.Count()) {
        return;
    }
    if (position_ == 1) {
        const MsgBoxResult answer = services_.prompt.messageBox(
            QStringLiteral("Are you sure you want to delete the options altogether and exit this "
                           "form? "),
            {MsgBoxButtons::YesNoCancel}, QStringLiteral("Delete Option Group"));
        if (answer == MsgBoxResult::Yes) {
            practice_.RemoveOptionGroup();
            // The question goes with the group.
            closed_ = true;
            reject();
        }
        return;
    }
    const QString name =
        QString::fromStdString(ShortenedForMessage(group->Options.Item(position_)->Name()));
    const MsgBoxResult answer = services_.prompt.messageBox(
        QStringLiteral("Are you sure you wish to delete option: '") + name + QStringLiteral("'"),
        {MsgBoxButtons::OkCancel}, QStringLiteral("Delete Confirmation"));
    if (answer == MsgBoxResult::Ok) {
        group->Options.Remove(position_);
        Load_Data(false, false);
    }
}

void FrmPracticeOptions::writePrompt() {
    const std::string text = txtPrompt_->keptText();
    // A box that loses the focus as the dialog goes must not make a deleted group again.
    if (closed_ || !promptChanged_ || text.empty()) {
        return;
    }
    if (practice_.OptionGroup == nullptr) {
        createFirstOption(true);
    }
    practice_.OptionGroup->Prompt = text;
}

bool FrmPracticeOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPrompt_ && event->type() == QEvent::FocusOut) {
        writePrompt();
    }
    return QDialog::eventFilter(watched, event);
}

void FrmPracticeOptions::btnOK_Click() {
    // A practice never takes an empty name: an option without one leaves the practice as it is.
    if (set_practice_ && !cmbPracticeName_->currentText().isEmpty()) {
        set_practice_(cmbPracticeName_->currentText().toStdString(), txtDescription_->keptText(),
                      txtDiscussion_->keptText(), color_);
    }
    accept();
}

void FrmPracticeOptions::done(int result) {
    // Every way out (OK, Cancel, their menu items, Escape, the close button) leaves the question
    // box as a click elsewhere would: a question typed there is kept.
    if (focusWidget() == txtPrompt_) {
        writePrompt();
    }
    closed_ = true;
    QDialog::done(result);
}

}  // namespace vrn
