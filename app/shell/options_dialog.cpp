#include "app/shell/options_dialog.h"

#include "app/common/named_widgets.h"
#include "app/common/preference_keys.h"
#include "app/matrixwin/kept_text_box.h"
#include "platform/cell_button.h"
#include "platform/text_conversion.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <stdexcept>

namespace vrn {

namespace {

// The preview's group button stands here; the practice buttons follow from it.
constexpr double kPreviewMarginTwips = 120;

constexpr std::array<const char*, OptionsDialog::kSwatchCount> kSwatchCaptions{
    "Highlight Color", "Warning Color", "Practice Color", "Form Background", "Blank Row Color", ""};

// Shown after "e.g." on the Internet tab.
constexpr char kBrowserExample[] = "/usr/bin/x-www-browser";

QString colorKey(int index) {
    return QLatin1String(prefkey::kColorPrefix) + QString::number(index);
}

// A path box with its Lookup button beside it.
QHBoxLayout* lookupRow(QLineEdit* box, QPushButton* lookup) {
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(lookup);
    return row;
}

}  // namespace

OptionsDialog::OptionsDialog(Preferences& preferences, SettingsStore& settings, Prompt& prompt,
                             ActiveMatrixFont* activeMatrix, QWidget* parent)
    : QDialog(parent),
      preferences_(preferences),
      settings_(settings),
      prompt_(prompt),
      activeMatrix_(activeMatrix) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->addTab(buildFormatingTab(), QStringLiteral("Formating"));
    tabs_->addTab(buildVisioTab(), QStringLiteral("Visio"));
    tabs_->addTab(buildColorsTab(), QStringLiteral("Colors"));
    tabs_->addTab(buildInternetTab(), QStringLiteral("Internet"));

    auto* cmdOK = namedButton(QStringLiteral("OK"), "cmdOK", this);
    cmdOK->setDefault(true);
    auto* cmdCancel = namedButton(QStringLiteral("Cancel"), "cmdCancel", this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    connect(cmdOK, &QPushButton::clicked, this, &OptionsDialog::acceptOptions);
    // Esc rejects the dialog too.
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    auto* nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this, [this] { moveTab(1); });
    auto* previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previousTab, &QShortcut::activated, this, [this] { moveTab(-1); });

    loadValues();
}

OptionsDialog::~OptionsDialog() {
    // The boxes lose the focus while they are destroyed; this dialog is gone by then.
    for (QLineEdit* box : {txtPGHeight_, txtPHeight_, txtPWidth_, txtFontSize_}) {
        disconnect(box, nullptr, this, nullptr);
    }
}

QLineEdit* OptionsDialog::addSizeBox(const char* name) {
    auto* box = new KeptLineEdit(this);
    box->setObjectName(QLatin1String(name));
    connect(box, &QLineEdit::editingFinished, this, [this, box] { leaveBox(box); });
    return box;
}

QWidget* OptionsDialog::buildFormatingTab() {
    auto* page = new QWidget(this);
    auto* frame = new QGroupBox(QStringLiteral("Layout"), page);

    txtPGHeight_ = addSizeBox("txtPGHeight");
    txtPHeight_ = addSizeBox("txtPHeight");
    txtPWidth_ = addSizeBox("txtPWidth");
    txtFontSize_ = addSizeBox("TxtFontSize");
    auto* boxes = new QFormLayout;
    boxes->addRow(QStringLiteral("Practice Group Height:"), txtPGHeight_);
    boxes->addRow(QStringLiteral("Practice Height:"), txtPHeight_);
    boxes->addRow(QStringLiteral("Practice Width:"), txtPWidth_);
    boxes->addRow(QStringLiteral("Font Size:"), txtFontSize_);
    auto* restore = namedButton(QStringLiteral("Restore Defaults"), "btnRestoreDefaults", frame);
    connect(restore, &QPushButton::clicked, this, &OptionsDialog::restoreDefaults);
    boxes->addRow(restore);

    // The preview places its buttons itself, in twips.
    auto* preview = new QWidget(frame);
    preview->setMinimumSize(300, 180);
    btnPG_ = new CellButton(QStringLiteral("Practice Group"), preview);
    btnP1_ = new CellButton(QStringLiteral("Practice 1"), preview);
    btnP2_ = new CellButton(QStringLiteral("Practice 2"), preview);
    for (auto [button, name] :
         {std::pair{btnPG_, "btnPG"}, std::pair{btnP1_, "btnP1"}, std::pair{btnP2_, "btnP2"}}) {
        button->setObjectName(QLatin1String(name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setTop(kPreviewMarginTwips);
    }
    btnPG_->setLeft(kPreviewMarginTwips);
    btnPG_->setCellOrientation(CellLook::kTurned);

    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addLayout(boxes);
    frameLayout->addWidget(preview, 1);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(frame);
    return page;
}

QWidget* OptionsDialog::buildVisioTab() {
    auto* page = new QWidget(this);
    auto* frame = new QGroupBox(QStringLiteral("Visio Settings"), page);
    auto* caption = new QLabel(
        QStringLiteral("Location of 'Basic Diagram.VST' and 'Basic Shapes.VSS':"), frame);
    txtTemplateDir_ = new KeptLineEdit(frame);
    txtTemplateDir_->setObjectName(QStringLiteral("txtTemplateDir"));
    auto* lookup = namedButton(QStringLiteral("Lookup"), "btnLookup", frame);
    connect(lookup, &QPushButton::clicked, this, &OptionsDialog::lookupTemplateDir);
    auto* note = new QLabel(
        QStringLiteral("Note:   VRN requires the version of  'Basic Diagram.VST' and 'Basic "
                       "Shapes.VSS' provided with it's installation.  Look in the VRN "
                       "installation directory.. "),
        frame);
    note->setWordWrap(true);

    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(caption);
    frameLayout->addLayout(lookupRow(txtTemplateDir_, lookup));
    frameLayout->addWidget(note);
    frameLayout->addStretch();
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(frame);
    return page;
}

QWidget* OptionsDialog::buildColorsTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    for (int i = 0; i < kSwatchCount; ++i) {
        auto* swatch = new CellButton(QLatin1String(kSwatchCaptions[i]), page);
        swatch->setObjectName(QStringLiteral("lblColor"));
        swatch->setProperty("Index", i);
        swatch->setMinimumHeight(28);
        connect(swatch, &CellButton::clicked, this, [this, i] { chooseSwatchColor(i); });
        layout->addWidget(swatch);
        swatches_[i] = swatch;
    }
    swatches_[kSwatchCount - 1]->hide();
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::buildInternetTab() {
    auto* page = new QWidget(this);
    auto* caption = new QLabel(QStringLiteral("The Full path to your internet browser.  e.g. ") +
                                   QLatin1String(kBrowserExample),
                               page);
    caption->setWordWrap(true);
    txtBrowser_ = new KeptLineEdit(page);
    txtBrowser_->setObjectName(QStringLiteral("txtBrowser"));
    auto* lookup = namedButton(QStringLiteral("Lookup"), "btnLoookupBrowser", page);
    connect(lookup, &QPushButton::clicked, this, &OptionsDialog::lookupBrowser);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(caption);
    layout->addLayout(lookupRow(txtBrowser_, lookup));
    layout->addStretch();
    return page;
}

qint16 OptionsDialog::practiceFontSize() const {
    return activeMatrix_ != nullptr ? activeMatrix_->practiceFontSize()
                                    : preferences_.Practice_Font_Size;
}

void OptionsDialog::setPracticeFontSize(qint16 points) {
    if (activeMatrix_ != nullptr) {
        activeMatrix_->setPracticeFontSize(points);
    } else {
        preferences_.Practice_Font_Size = points;
    }
}

void OptionsDialog::loadValues() {
    layout_ = LayoutValues{.groupHeight = preferences_.PracticeGroupHeight,
                           .practiceHeight = preferences_.PracticeHeight,
                           .practiceWidth = preferences_.PracticeWidth,
                           .fontSize = practiceFontSize()};
    txtTemplateDir_->setText(preferences_.VisioTemplatePath);
    txtBrowser_->setText(preferences_.Browser_Path);
    for (QLineEdit* box : {txtPGHeight_, txtPHeight_, txtPWidth_, txtFontSize_}) {
        restoreBox(box);
    }
    for (int i = 0; i < kPreferenceColorCount; ++i) {
        swatches_[i]->setBackColor(preferences_.color(i));
    }
    // Stored sizes the preview cannot take leave it as designed.
    setButtons();
}

bool OptionsDialog::setButtons() {
    try {
        layOutPreview();
        return true;
    } catch (const std::invalid_argument&) {
        return false;
    }
}

void OptionsDialog::layOutPreview() {
    const std::optional<qint16> fontSize = toInteger(txtFontSize_->text());
    const std::optional<float> groupHeight = toSingle(txtPGHeight_->text());
    const std::optional<float> height = toSingle(txtPHeight_->text());
    const std::optional<float> width = toSingle(txtPWidth_->text());
    if (!fontSize || !groupHeight || !height || !width) {
        throw std::invalid_argument("a layout box is not a number");
    }
    for (CellButton* button : {btnPG_, btnP1_, btnP2_}) {
        button->setFontSize(*fontSize);
    }
    // The group stands on its side, as thick as a group and as tall as its two practices.
    btnPG_->setCellWidth(*groupHeight);
    btnPG_->setCellHeight(2.0 * *height);
    btnP1_->setLeft(btnPG_->left() + btnPG_->cellWidth());
    btnP1_->setCellHeight(*height);
    btnP1_->setCellWidth(*width);
    btnP2_->setLeft(btnPG_->left() + btnPG_->cellWidth());
    btnP2_->setTop(btnP1_->top() + btnP1_->cellHeight());
    btnP2_->setCellHeight(*height);
    btnP2_->setCellWidth(*width);
}

void OptionsDialog::leaveBox(QLineEdit* box) {
    const bool converts = box == txtFontSize_ ? toInteger(box->text()).has_value()
                                              : toSingle(box->text()).has_value();
    if (converts && setButtons()) {
        return;
    }
    restoreBox(box);
    setButtons();  // undo what a failed layout got to
}

void OptionsDialog::restoreBox(QLineEdit* box) {
    if (box == txtPGHeight_) {
        box->setText(formatSingle(layout_.groupHeight));
    } else if (box == txtPHeight_) {
        box->setText(formatSingle(layout_.practiceHeight));
    } else if (box == txtPWidth_) {
        box->setText(formatSingle(layout_.practiceWidth));
    } else if (box == txtFontSize_) {
        box->setText(QString::number(layout_.fontSize));
    }
}

void OptionsDialog::restoreDefaults() {
    // Shown at once; like every other change here they take effect at OK only.
    layout_ = LayoutValues{.groupHeight = preferences_.Def_PracticeGroupHeight,
                           .practiceHeight = preferences_.Def_PracticeHeight,
                           .practiceWidth = preferences_.Def_PracticeWidth,
                           .fontSize = preferences_.Def_PracticeFontSize};
    for (QLineEdit* box : {txtPGHeight_, txtPHeight_, txtPWidth_, txtFontSize_}) {
        restoreBox(box);
    }
    setButtons();
}

std::optional<QString> OptionsDialog::lookupExistingFile(const QString& title) {
    const std::optional<QString> chosen =
        prompt_.openFile({.title = title,
                          .filter = QStringLiteral("All Files (*.*)|*.*"),
                          .flags = FileDialogFlags::HideReadOnly});
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    QFile file(*chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return chosen;
}

void OptionsDialog::lookupTemplateDir() {
    const std::optional<QString> chosen =
        lookupExistingFile(QStringLiteral("Template Directory (select 'Basic Diagram.VST' !!)"));
    if (chosen) {
        txtTemplateDir_->setText(QFileInfo(*chosen).absolutePath());
    }
}

void OptionsDialog::lookupBrowser() {
    const std::optional<QString> chosen =
        lookupExistingFile(QStringLiteral("Internet Browser Path (e.g. select 'netscape.exe' !!)"));
    if (chosen) {
        txtBrowser_->setText(*chosen);
    }
}

void OptionsDialog::chooseSwatchColor(int index) {
    CellButton* swatch = swatches_[index];
    const qint32 current = swatch->backColor();
    const std::optional<QColor> chosen =
        prompt_.chooseColor(QStringLiteral("Choose new color"), colorFromOle(current, palette()),
                            ColorDialogFlags::RgbInit);
    // A cancelled choice keeps the colour exactly, system colours included. Like everything
    // else here the colour is stored at OK only: Cancel leaves the settings as they were.
    swatch->setBackColor(chosen && chosen->isValid() ? oleFromColor(*chosen) : current);
}

void OptionsDialog::acceptOptions() {
    // A box still holding text that does not convert is put back as on leaving it.
    for (QLineEdit* box : {txtPGHeight_, txtPHeight_, txtPWidth_, txtFontSize_}) {
        leaveBox(box);
    }
    const QString vrn = QLatin1String(prefkey::kVrnSettings);
    preferences_.VisioTemplatePath = txtTemplateDir_->text();
    settings_.setText(vrn, QLatin1String(prefkey::kVisioTemplatePath),
                      preferences_.VisioTemplatePath);
    preferences_.Browser_Path = txtBrowser_->text();
    settings_.setText(QLatin1String(prefkey::kDirectories), QLatin1String(prefkey::kBrowserPath),
                      preferences_.Browser_Path);
    const qint16 fontSize = toInteger(txtFontSize_->text()).value_or(layout_.fontSize);
    setPracticeFontSize(fontSize);
    // Windows opened from now on start with this font, as with the sizes below.
    preferences_.Practice_Font_Size = fontSize;
    preferences_.PracticeHeight = toSingle(txtPHeight_->text()).value_or(layout_.practiceHeight);
    preferences_.PracticeWidth = toSingle(txtPWidth_->text()).value_or(layout_.practiceWidth);
    preferences_.PracticeGroupHeight = toSingle(txtPGHeight_->text()).value_or(layout_.groupHeight);
    settings_.writeSingle(vrn, QLatin1String(prefkey::kPracticeGroupHeight),
                          preferences_.PracticeGroupHeight);
    settings_.writeSingle(vrn, QLatin1String(prefkey::kPracticeHeight),
                          preferences_.PracticeHeight);
    settings_.writeSingle(vrn, QLatin1String(prefkey::kPracticeWidth), preferences_.PracticeWidth);
    settings_.writeInteger(vrn, QLatin1String(prefkey::kDefPracticeFontSize), practiceFontSize());
    for (int i = 0; i < kPreferenceColorCount; ++i) {
        preferences_.color(i) = swatches_[i]->backColor();
        settings_.writeLong(QLatin1String(prefkey::kColors), colorKey(i), preferences_.color(i));
    }
    preferences_.PracticeColor = preferences_.Color_2;
    settings_.writeLong(vrn, QLatin1String(prefkey::kPracticeColor), preferences_.PracticeColor);
    // The run keeps its blank colour; the next start takes this one.
    settings_.writeLong(vrn, QLatin1String(prefkey::kBlankColor), preferences_.Color_4);
    settings_.writeBoolean(vrn, QLatin1String(prefkey::kShowNoSponsor), false);
    accept();
}

void OptionsDialog::moveTab(int step) {
    const int count = tabs_->count();
    tabs_->setCurrentIndex((tabs_->currentIndex() + step + count) % count);
}

}  // namespace vrn
