#include "app/matrixwin/frm_matrix.h"

#include "app/matrixwin/document_files.h"
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/note_box.h"
#include "app/shell/command_guard.h"
#include "app/shell/frm_main.h"
#include "model/file/matrix_file_error.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <array>
#include <cmath>
#include <limits>

namespace vrn {

namespace {

// The window draws at 15 twips a pixel, whatever the screen.
constexpr double kDotsPerInch = 96.0;
constexpr float kLoadHeightTwips = 10000;
constexpr float kDesignWidthTwips = 12000;
constexpr float kFooterHeightTwips = 285;
// One scroll step moves the drawing this far.
constexpr float kScrollStepTwips = 500;
// The size of a new interaction cell until the layout sizes it: the cells of a state's triangle
// keep it.
constexpr float kInteractionCellTwips = 375;

const QString kExitTitle = QStringLiteral("Exit Dependency Editor");
const QString kSaveAsTitle = QStringLiteral("Save file As");

// A window length in twips as pixels a window can take.
int windowPixels(float twips) {
    constexpr float kMaxTwips = 1.0e6F;
    return std::max(1, twipsToPixels(std::clamp(twips, 0.0F, kMaxTwips), kDotsPerInch));
}

float windowTwips(int pixels) {
    return static_cast<float>(pixelsToTwips(pixels, kDotsPerInch));
}

int scrollUnits(double value) {
    const double rounded = std::nearbyint(value);
    return static_cast<int>(std::clamp<double>(rounded, 0, std::numeric_limits<int>::max()));
}

// A cell's own colour, or the practice colour for a cell that has none.
template <class Element>
void restoreColor(const Element& element, std::int32_t practiceColor) {
    if (element.Display != nullptr) {
        element.Display->setBackColor(element.color != 0 ? element.color : practiceColor);
    }
}

// Asks for a new name of a practice or group; an empty answer or Cancel keeps the old one.
template <class Element>
void askNewName(Prompt& prompt, Element& element, const QString& title) {
    const QString name = QString::fromStdString(element.Name());
    const std::optional<QString> answer = prompt.inputBox(
        QStringLiteral("Please Enter The New Name for '%1'").arg(name), title, name);
    if (answer && !answer->isEmpty()) {
        element.setName(answer->toStdString());
    }
}

// Whether `element` (any model element, or none) is shown by `window`.
template <class Element>
bool shownBy(const std::shared_ptr<Element>& element, const MatrixWindow* window) {
    return element != nullptr && element->InForm == window;
}

bool shownBy(const SelectedItem& item, const MatrixWindow* window) {
    return std::visit(
        [window](const auto& element) {
            if constexpr (std::is_same_v<std::decay_t<decltype(element)>, std::monostate>) {
                return false;
            } else {
                return shownBy(element, window);
            }
        },
        item);
}

}  // namespace

frmMatrix::frmMatrix(VrnMain& program, Prompt& prompt, QWidget* parent)
    : QWidget(parent),
      program_(program),
      prompt_(prompt),
      canvas_(new MatrixCanvas(this)),
      vScroll_(new QScrollBar(Qt::Vertical, this)),
      hScroll_(new QScrollBar(Qt::Horizontal, this)),
      context_{.canvas = canvas_, .dotsPerInch = kDotsPerInch},
      backColor_(kOleButtonFace),
      noteBox_(new NoteBox(this)) {
    setObjectName(QStringLiteral("frmMatrix"));
    setWindowTitle(QStringLiteral("Matrix"));
    setFocusPolicy(Qt::StrongFocus);

    canvas_->installEventFilter(this);
    vScroll_->setObjectName(QStringLiteral("VScroll"));
    hScroll_->setObjectName(QStringLiteral("HScroll"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(canvas_, 0, 0);
    layout->addWidget(vScroll_, 0, 1);
    layout->addWidget(hScroll_, 1, 0);
    connect(vScroll_, &QScrollBar::valueChanged, this, &frmMatrix::VScroll_Change);
    connect(hScroll_, &QScrollBar::valueChanged, this, &frmMatrix::HScroll_Change);

    designControls();
    setBackColor(backColor_);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    timer_load_Practice_details.setObjectName(QStringLiteral("timer_load_Practice_details"));
    Timer_Print_Report.setObjectName(QStringLiteral("Timer_Print_Report"));
    Timer_Export_word.setObjectName(QStringLiteral("Timer_Export_word"));
    connect(&Timer1, &QTimer::timeout, this, &frmMatrix::Timer1_Timer);
    connect(&timer_load_Practice_details, &QTimer::timeout, this,
            &frmMatrix::timer_load_Practice_details_Timer);

    connect(noteBox_, &NoteBox::noteEdited, this, &frmMatrix::writeNote);
    connect(noteBox_, &NoteBox::discussionClicked, this, [this](const QString& link) {
        if (frmMain* main = program_.Main_Window) {
            main->Open_In_Browser(link);
        }
    });
    connect(noteBox_, &NoteBox::dropped, this, [this](const QPoint& topLeft) {
        Form_DragDrop(noteBox_->objectName(), windowTwips(topLeft.x()), windowTwips(topLeft.y()));
    });
}

// The window's own controls as designed: what the layout does not size, caption or place
// inside a frame.
void frmMatrix::designControls() {
    const auto size = [](WindowControl& control, float width, float height) {
        control.setWidth(width);
        control.setHeight(height);
    };
    const auto at = [](WindowControl& control, float left, float top) {
        control.setLeft(left);
        control.setTop(top);
    };
    btnExisting_.setText("Existing Practices");
    btnExisting_.setWidth(2700);
    btnTarget_.setHeight(2700);
    btnUpAlt_.setText("\u25B2");
    btnDownAlt_.setText("\u25BC");
    btnSortDown_.setText("\u2193");
    btnSortRight_.setText("\u2192");
    btnShowHorPGs_.setText("+");
    btnSHowPGs_.setText("+");
    for (SceneFixedControl* square : {&btnUpAlt_, &btnDownAlt_, &btnSortDown_, &btnSortRight_}) {
        size(*square, 300, 300);
    }
    btnShowHorPGs_.setWidth(300);
    btnSHowPGs_.setHeight(300);
    size(lblAltNum_, 900, 285);

    frameDescription_.setText("Varnel");
    txtDescription_.placeInside(frameDescription_);
    at(txtDescription_, 70, 300);
    txtDescription_.setVisible(true);

    // Interaction legend: Label1(0) to (5); importance legend: Label1(6) to (15).
    constexpr std::array<const char*, 16> kLegend{
        "+",  "Reinforcing", "-", "Interfering", "?",  "Open question",  "+2", "Very important",
        "+1", "Important",   "",  "Not rated",   "-1", "Less important", "-2", "Not important"};
    frmMatrixInteraction_.setText("Interactions");
    size(frmMatrixInteraction_, 2600, 1250);
    frmImportance_.setText("Importance");
    size(frmImportance_, 2600, 1850);
    for (std::size_t i = 0; i < kLegend.size(); ++i) {
        SceneFixedControl& label = label1_.emplace_back(context_, Kind::Label);
        const bool interaction = i < 6;
        label.placeInside(interaction ? frmMatrixInteraction_ : frmImportance_);
        const auto row = static_cast<float>((interaction ? i : i - 6) / 2);
        const bool symbol = i % 2 == 0;
        label.setText(kLegend[i]);
        at(label, symbol ? 150 : 600, 300 + 300 * row);
        size(label, symbol ? 400 : 1900, 285);
        label.setVisible(true);
    }
    // As the window was designed: the legend shows until a layout says otherwise.
    frmMatrixInteraction_.setVisible(true);

    frameAttribution_.setText("Attribution");
    size(frameAttribution_, 6200, 2750);
    const std::array<std::pair<const char*, SceneFixedControl*>, 7> kFields{{
        {"Authors:", &txtAuthors_},
        {"Project:", &txtAssignment_},
        {"Modified:", &lblModifiedWhen_},
        {"Sources:", &txtSources_},
        {"Review Status:", &txtReview_},
        {"Documentation:", &txtDocumentation_},
        {"Footer:", &txtFooter_},
    }};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const float top = 300 + 310 * static_cast<float>(i);
        SceneFixedControl& caption = attributionCaptions_.emplace_back(context_, Kind::Label);
        caption.placeInside(frameAttribution_);
        caption.setText(kFields[i].first);
        at(caption, 100, top);
        size(caption, 1300, 285);
        caption.setVisible(true);
        SceneFixedControl& field = *kFields[i].second;
        field.placeInside(frameAttribution_);
        at(field, 1450, top);
        size(field, 4600, 285);
        field.setVisible(true);
    }
    chkLock_.placeInside(frameAttribution_);
    chkLock_.setText("Locked");
    at(chkLock_, 1450, 300 + 310 * 7);
    size(chkLock_, 1500, 285);
    chkLock_.setVisible(true);

    lblFooter_.setHeight(kFooterHeightTwips);
}

void frmMatrix::showTitle() {
    frameDescription_.setText(base()->title);
}

frmMatrix::~frmMatrix() {
    forgetScene();
}

void frmMatrix::forgetScene() {
    for (const auto& cell : btnGroup_) {
        cell->forgetScene();
    }
    for (const auto& label : lblInteract_) {
        label->forgetScene();
    }
    for (const auto& line : Lines_) {
        line->forgetScene();
    }
    for (SceneFixedControl* control :
         {&btnExisting_,     &btnTarget_,        &btnUpAlt_,         &btnDownAlt_,
          &lblAltNum_,       &btnSortDown_,      &btnSortRight_,     &btnShowHorPGs_,
          &btnSHowPGs_,      &frameDescription_, &txtDescription_,   &frmMatrixInteraction_,
          &frmImportance_,   &frameAttribution_, &txtAuthors_,       &txtAssignment_,
          &txtReview_,       &txtSources_,       &txtDocumentation_, &txtFooter_,
          &lblModifiedWhen_, &lblFooter_,        &richTextBox_}) {
        control->forgetScene();
    }
    for (SceneFixedControl& label : label1_) {
        label.forgetScene();
    }
    for (SceneFixedControl& caption : attributionCaptions_) {
        caption.forgetScene();
    }
    for (SceneLine& line : thickLines_) {
        line.forgetScene();
    }
    chkLock_.forgetScene();
}

bool frmMatrix::isOwnFile(const QString& name) const {
    return name == filename || (hasFilePath && isSameFile(name, filename));
}

const std::shared_ptr<VRN_Matrix>& frmMatrix::base() {
    if (base_ == nullptr) {
        base_ = std::make_shared<VRN_Matrix>();
    }
    return base_;
}

QWidget* frmMatrix::outerWindow() const {
    // Inside the main window the frame is what the user sizes, minimises and maximises.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return frame;
    }
    return const_cast<frmMatrix*>(this);
}

int frmMatrix::WindowState() const {
    const QWidget* window = outerWindow();
    if (window->isMinimized()) {
        return 1;
    }
    return window->isMaximized() ? 2 : 0;
}

void frmMatrix::setWindowState(int state) {
    QWidget* window = outerWindow();
    switch (state) {
        case 1:
            window->showMinimized();
            break;
        case 2:
            window->showMaximized();
            break;
        default:
            window->showNormal();
            break;
    }
}

ComponentContext frmMatrix::componentContext() const {
    if (program_.Main_Window != nullptr) {
        return program_.Main_Window->componentContext();
    }
    return ComponentContext{.VRN_Running_Standalone = program_.Standalone};
}

void frmMatrix::Form_Load() {
    setWidth(kDesignWidthTwips);
    setHeight(kLoadHeightTwips);
    scrollGuard_ = false;
    placeFooter();
    Weighted = true;
    if (startup_PG != nullptr || LoadNewDoc) {
        newdoc();
    }
}

void frmMatrix::Form_Activate() {
    Do_menus();
}

void frmMatrix::Form_GotFocus() {
    if (program_.Redraw_Pending) {
        program_.Redraw_Pending = false;
        Redraw(false);
    }
}

void frmMatrix::Form_KeyDown(int keyCode) {
    const VRN_Matrix& document = *base();
    if (keyCode == Qt::Key_PageUp && document.Alt_i >= 2) {
        use_alternative(true, static_cast<std::int16_t>(document.Alt_i - 1));
    } else if (keyCode == Qt::Key_PageDown && document.Alt_i < document.Alt_count) {
        use_alternative(true, static_cast<std::int16_t>(document.Alt_i + 1));
    }
}

void frmMatrix::Form_MouseDown(float X, float Y) {
    lastPress_ = QPointF(X, Y);
}

void frmMatrix::Form_MouseMove() {
    const auto interaction = hovered_.lock();
    if (interaction == nullptr) {
        return;
    }
    program_.Last_Hover_Cross = interaction->IsCross();
    const std::int32_t practiceColor = program_.prefs.PracticeColor;
    if (const auto first = interaction->Practice1.lock()) {
        restoreColor(*first, practiceColor);
    }
    if (const auto second = interaction->practice2.lock()) {
        restoreColor(*second, practiceColor);
    }
    hovered_.reset();
}

void frmMatrix::Form_DragDrop(const QString& source, float X, float Y) {
    Timer1.setEnabled(true);
    if (source == noteBox_->objectName()) {
        noteBox_->move(windowPixels(X), windowPixels(Y));
    }
}

void frmMatrix::newdoc() {
    base_ = std::make_shared<VRN_Matrix>();
    base_->CreateNew(componentContext(), this, false);
    newdocpreferences(true);
    base_->CreateInit(program_.prefs.Def_num_alternatives, ent_, startup_PG, false);
    base_->Draw(1, 1);
    showTitle();
}

void frmMatrix::newdocpreferences(bool setAll) {
    const Preferences& prefs = program_.prefs;
    VRN_Matrix& document = *base();
    if (setAll) {
        document.VRN_PracticeGrpHeight = prefs.PracticeGroupHeight;
        document.VRN_PracticeGrpWidth = prefs.PracticeGroupWidth;
        document.VRN_PracticeHeight = prefs.PracticeHeight;
        document.VRN_PracticeWidth = prefs.PracticeWidth;
    }
    document.delta_updown = prefs.Delta_updown;
    document.VRN_Practice_Font_Size = prefs.Practice_Font_Size;
    document.User_HighlightColor = prefs.Color_0;
    document.User_WarningColor = prefs.Color_1;
    document.User_PracticeOptionsColor = prefs.Color_2;
    document.User_FormBackgroundColor = prefs.Color_3;
    document.User_BlankColor = prefs.Color_4;
    document.Vrn_BlankColor = prefs.BlankColor;
    document.VRN_HighlightColor = prefs.HighlightColor;
    document.VRN_PracticeColor = prefs.PracticeColor;
    document.VRN_ActivityColorSave = prefs.ActivityColor;
    document.VRN_EntityColorSave = prefs.PracticeEntityColor;
    document.VRN_InteractionColor = prefs.InteractionColor;
    document.VRN_ActivityColor = prefs.Current_ActivityColor;
    document.VRN_EntityColor = prefs.Current_EntityColor;
    document.VRN_VISIO_TemplatePath = prefs.VisioTemplatePath.toStdString();
    document.BrowserPath = prefs.Browser_Path.toStdString();
    document.VRN_HTML_Path = prefs.HtmlPath.toStdString();
    document.VRN_HTML_URL = prefs.HtmlURL.toStdString();
}

void frmMatrix::Redraw(bool Also_Do_menus) {
    if (Also_Do_menus) {
        Do_menus();
    }
    Preferences& prefs = program_.prefs;
    VRN_Matrix& document = *base();
    prefs.PracticeHeight = document.VRN_PracticeHeight;
    prefs.PracticeWidth = document.VRN_PracticeWidth;
    prefs.PracticeGroupHeight = document.VRN_PracticeGrpHeight;
    // Again at the present scroll offset.
    document.Draw(document.left, document.top);
    showTitle();
    vScroll_->raise();
    hScroll_->raise();
    frmMain* main = program_.Main_Window;
    if (main == nullptr) {
        return;
    }
    Weighted = main->Checked(ViewMark::mnuViewWeightedSort);
    QAction* directions = main->menuItem(QStringLiteral("mnuViewDirections"));
    if (directions->isChecked()) {
        // Cleared first: a refresh while the dialog is open must not open another.
        directions->setChecked(false);
        Show_Directions_Dialog(program_, prompt_, QStringLiteral("Directions"),
                               program_.Directions_Object, main);
    }
}

void frmMatrix::use_alternative(bool enable, std::int16_t Alt_index) {
    base()->use_alternative(enable, Alt_index);
    Redraw(false);
}

void frmMatrix::Do_menus() {
    const std::shared_ptr<VRN_Matrix>& document = base();
    program_.Current_Matrix = document;
    frmMain* main = program_.Main_Window;
    if (main == nullptr) {
        Clear_Selection(false, 0);
        return;
    }
    main->ent = ent_;
    main->menuItem(QStringLiteral("mnuHelpDirections"))->setEnabled(true);
    main->setChecked(ViewMark::mnuViewImportance, importance_);
    main->setChecked(ViewMark::mnuViewWeightedSort, Weighted);
    main->setChecked(ViewMark::mnuViewLegend, frmMatrixInteraction_.Visible());
    // Only a drawn document has groups to look at; an unread one must not grow a state here.
    if (groupCellCount() > 0 && document->Existing()->PGroups.Count() >= 1) {
        if (const auto& band = document->Existing()->PGroups.Item(1)->Display) {
            main->setChecked(ViewMark::mnuViewPracticeGroups, band->Visible());
        }
    }
    main->setMnuFileSaveEnabled(!document->locked);
    Clear_Selection(false, 0);
    QStringList alternatives;
    for (int i = 1; i <= document->Alt_count; ++i) {
        alternatives << QString::fromStdString(document->alternative(i)->Name);
    }
    main->listAlternatives(alternatives, document->Alt_i - 1);
    main->menuItem(QStringLiteral("mnuAltDel"))->setEnabled(document->Alt_count > 1);
    main->menuItem(QStringLiteral("munFilePrintCaptured"))->setEnabled(Frametool_Captured);
}

bool frmMatrix::saveTo(const QString& path, bool unlocked) {
    try {
        saveDocument(*base(), path, unlocked);
        return true;
    } catch (const MatrixFileError& error) {
        // The window keeps its file name and caption: they still name what is on disk.
        showFileError(prompt_, error);
        return false;
    }
}

SaveOutcome frmMatrix::SaveMatrixAs(bool Restore_locked_state) {
    VRN_Matrix& document = *base();
    for (;;) {
        const std::optional<QString> chosen = prompt_.saveFile(saveMatrixRequest(filename));
        QString name = filename;
        if (chosen) {
            name = *chosen;
        } else {
            document.locked = Restore_locked_state;
        }
        if (name.isEmpty()) {
            const MsgBoxResult again =
                prompt_.messageBox(QStringLiteral("Do you want to save your work before exiting ?"),
                                   {.buttons = MsgBoxButtons::YesNo}, kExitTitle);
            if (again == MsgBoxResult::Yes) {
                continue;
            }
            document.locked = Restore_locked_state;
            return SaveOutcome::GaveUp;
        }
        if (isOwnFile(name)) {
            const MsgBoxResult again = prompt_.messageBox(
                QStringLiteral("You must use a different file name for a 'Save As' ?"),
                {.buttons = MsgBoxButtons::OkCancel}, kSaveAsTitle);
            if (again == MsgBoxResult::Ok) {
                continue;
            }
            document.locked = Restore_locked_state;
            return SaveOutcome::GaveUp;
        }
        if (!mayReplaceFile(prompt_, name)) {
            continue;
        }
        if (!saveTo(name, true)) {
            document.locked = Restore_locked_state;
            return SaveOutcome::Failed;
        }
        filename = name;
        hasFilePath = true;
        setCaption(name);
        return SaveOutcome::Saved;
    }
}

void frmMatrix::RenamePractice(const std::shared_ptr<VRN_Practice>& p) {
    askNewName(prompt_, *p, QStringLiteral("New Practice Name"));
}

void frmMatrix::RenamePracticeGroup(const std::shared_ptr<VRN_PracticeGroup>& pg) {
    askNewName(prompt_, *pg, QStringLiteral("New Practice Group Name"));
}

void frmMatrix::RenameMatrix() {
    const std::optional<QString> answer = prompt_.inputBox(
        QStringLiteral("What is the new title for this Matrix?"), QStringLiteral("VRN Title"),
        QString::fromStdString(frameDescription_.text()));
    if (answer && !answer->isEmpty()) {
        frameDescription_.setText(answer->toStdString());
        base()->title = answer->toStdString();
    }
}

void frmMatrix::set_practice(const std::string& practice_name,
                             const std::string& Practice_description,
                             const std::string& Practice_discussion, std::int32_t Practice_color) {
    const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&program_.Current_Item);
    if (practice == nullptr || *practice == nullptr) {
        return;
    }
    (*practice)->setName(practice_name);
    (*practice)->setDescription(Practice_description);
    (*practice)->Discussion = Practice_discussion;
    (*practice)->color = Practice_color;
}

void frmMatrix::Print_Report() {}

void frmMatrix::Print_Captured_Image() {}

void frmMatrix::Display_NoteBox(const NoteObject& MyNoteObject, const QString& Caption,
                                const QString& Description, const QString& Discussion,
                                std::int32_t color, float Box_Top, float Box_Left, int Box_Tag,
                                int fontsize, int alignment) {
    noteObject_ = std::visit(
        [](const auto& object) -> decltype(noteObject_) {
            if constexpr (std::is_same_v<std::decay_t<decltype(object)>, std::monostate>) {
                return std::monostate{};
            } else {
                return std::weak_ptr(object);
            }
        },
        MyNoteObject);
    noteBox_->move(windowPixels(Box_Left), windowPixels(Box_Top));
    noteBox_->Tag = QString::number(Box_Tag);
    noteBox_->showNote(Caption, Description, Discussion, color, fontsize, alignment);
}

void frmMatrix::writeNote(const QString& text) {
    std::visit(
        [&text](const auto& object) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(object)>, std::monostate>) {
                if (const auto element = object.lock()) {
                    element->setDescription(text.toStdString());
                }
            }
        },
        noteObject_);
}

void frmMatrix::Show_Practice_Selection(const SelectedItem& item) {
    Clear_Selection(false, 0);
    const std::int32_t highlight = program_.prefs.HighlightColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::visit(
        [&](const auto& element) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(element)>, std::monostate>) {
                if (element == nullptr) {
                    return;
                }
                if (element->Display != nullptr) {
                    element->Display->setBackColor(highlight);
                }
                bold = element->fontbold();
                italic = element->FontItalic();
                underline = element->FontUnderlined();
            }
        },
        item);
    program_.Current_Item = item;
    frmMain* main = program_.Main_Window;
    if (main == nullptr) {
        return;
    }
    main->toolbarButton(QStringLiteral("Bold"))->setChecked(bold);
    main->toolbarButton(QStringLiteral("Italic"))->setChecked(italic);
    main->toolbarButton(QStringLiteral("Underline"))->setChecked(underline);
    const auto enable = [main](const char* name, bool enabled) {
        main->menuItem(QLatin1String(name))->setEnabled(enabled);
    };
    if (const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&item);
        practice != nullptr && *practice != nullptr) {
        enable("mnuActionAddGroup", false);
        enable("mnuActionAddPractice", true);
        enable("mnuActionDeleteGroup", false);
        enable("mnuActionDeletePractice", true);
        const bool hasOptions = (*practice)->OptionGroup != nullptr;
        main->menuItem(QStringLiteral("mnuPracticeDetails"))->setVisible(!hasOptions);
        main->menuItem(QStringLiteral("mnuPracticeOptions"))->setVisible(hasOptions);
    } else if (const auto* group = std::get_if<std::shared_ptr<VRN_PracticeGroup>>(&item);
               group != nullptr && *group != nullptr) {
        enable("mnuActionAddGroup", true);
        enable("mnuActionAddPractice", false);
        enable("mnuActionDeleteGroup", true);
        enable("mnuActionDeletePractice", false);
        enable("mnuPracticeGroupDialogue", (*group)->Has_Options);
    } else {
        for (const char* name : {"mnuActionAddGroup", "mnuActionAddPractice",
                                 "mnuActionDeleteGroup", "mnuActionDeletePractice"}) {
            enable(name, false);
        }
    }
}

void frmMatrix::Clear_Selection(bool keep, int box) {
    if (!keep) {
        noteBox_->hide();
    } else if (noteBox_->isVisible()) {
        bool numeric = false;
        const int tag = noteBox_->Tag.toInt(&numeric);
        if (!numeric || tag != box) {
            noteBox_->hide();
        }
    }
    const std::int32_t practiceColor = program_.prefs.PracticeColor;
    if (const auto interaction = hovered_.lock()) {
        if (const auto first = interaction->Practice1.lock()) {
            restoreColor(*first, practiceColor);
        }
        if (const auto second = interaction->practice2.lock()) {
            restoreColor(*second, practiceColor);
        }
    }
    hovered_.reset();
    if (shownBy(program_.Current_Item, this)) {
        std::visit(
            [practiceColor](const auto& element) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(element)>, std::monostate>) {
                    restoreColor(*element, practiceColor);
                }
            },
            program_.Current_Item);
    }
    program_.Current_Item = std::monostate{};
    frmMain* main = program_.Main_Window;
    if (main == nullptr) {
        return;
    }
    for (const char* button : {"Bold", "Italic", "Underline"}) {
        main->toolbarButton(QLatin1String(button))->setChecked(false);
    }
    for (const char* name : {"mnuActionAddGroup", "mnuActionAddPractice", "mnuActionDeleteGroup",
                             "mnuActionDeletePractice"}) {
        main->menuItem(QLatin1String(name))->setEnabled(false);
    }
}

void frmMatrix::letGoOfSelection() {
    // What the program holds of this window's elements would outlive the window.
    if (shownBy(program_.Current_Item, this)) {
        program_.Current_Item = std::monostate{};
    }
    if (shownBy(program_.Current_Interaction, this)) {
        program_.Current_Interaction = nullptr;
    }
    if (frmMain* main = program_.Main_Window) {
        if (shownBy(main->Dragging_P, this)) {
            main->Dragging_P = nullptr;
        }
        if (shownBy(main->Dragging_PG, this)) {
            main->Dragging_PG = nullptr;
        }
    }
    const auto* matrix = std::get_if<std::shared_ptr<VRN_Matrix>>(&program_.Directions_Object);
    const auto* state = std::get_if<std::shared_ptr<VRN_State>>(&program_.Directions_Object);
    if ((matrix != nullptr && *matrix == base_) ||
        (state != nullptr && *state != nullptr && (*state)->InForm == this)) {
        program_.Directions_Object = std::monostate{};
    }
}

bool frmMatrix::saveBeforeClosing() {
    const VRN_Matrix& document = *base();
    const MsgBoxStyle yesNo{.buttons = MsgBoxButtons::YesNo};
    if (document.locked) {
        const MsgBoxResult save = prompt_.messageBox(
            QStringLiteral(
                "Do you want to save this locked matrix to another file before closing ?"),
            yesNo, kExitTitle);
        return save != MsgBoxResult::Yes || SaveMatrixAs(true) != SaveOutcome::Failed;
    }
    const MsgBoxResult save = prompt_.messageBox(
        QStringLiteral("Do you want to save the file before closing ?"), yesNo, kExitTitle);
    if (save == MsgBoxResult::No &&
        prompt_.messageBox(QStringLiteral("Any changes you have made will be lost.  Do you want "
                                          "to exit without saving ?"),
                           yesNo, kExitTitle) == MsgBoxResult::Yes) {
        return true;
    }
    if (hasFilePath) {
        return saveTo(filename, false);
    }
    return SaveMatrixAs(false) != SaveOutcome::Failed;
}

bool frmMatrix::Form_Unload() {
    program_.Current_Matrix = base();
    frmMain* main = program_.Main_Window;
    if (main != nullptr) {
        main->ent = ent_;
    }
    if (!discarding_ && !base_->Invalid_version && !saveBeforeClosing()) {
        // The work is not on disk: the window stays.
        return false;
    }
    letGoOfSelection();
    program_.Current_Matrix = nullptr;
    if (main != nullptr) {
        main->ent = nullptr;
        main->menuItem(QStringLiteral("mnuHelpDirections"))->setEnabled(false);
    }
    return true;
}

void frmMatrix::discardUnread() {
    discarding_ = true;
    outerWindow()->close();
}

void frmMatrix::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    runGuarded(prompt_, [this, &mayClose] { mayClose = Form_Unload(); });
    if (mayClose) {
        event->accept();
    } else {
        discarding_ = false;
        event->ignore();
    }
}

void frmMatrix::keyPressEvent(QKeyEvent* event) {
    Form_KeyDown(event->key());
    QWidget::keyPressEvent(event);
}

void frmMatrix::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (WindowState() != 1) {
        placeFooter();
    }
}

void frmMatrix::placeFooter() {
    lblFooter_.setTop(windowTwips(hScroll_->geometry().top()) - lblFooter_.Height());
    lblFooter_.setWidth(windowTwips(width()));
}

bool frmMatrix::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_) {
        switch (event->type()) {
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
                    runGuarded(prompt_, [this, key] { Form_KeyDown(key); });
                    return true;
                }
                break;
            }
            case QEvent::MouseButtonPress: {
                const QPointF at = static_cast<QMouseEvent*>(event)->position();
                Form_MouseDown(windowTwips(qRound(at.x())), windowTwips(qRound(at.y())));
                break;
            }
            case QEvent::MouseMove:
                Form_MouseMove();
                break;
            case QEvent::Wheel:
                // The drawing moves itself: the window's bars do the scrolling.
                QApplication::sendEvent(vScroll_, event);
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMatrix::VScroll_Change() {
    if (WindowState() == 1 || scrollGuard_) {
        return;
    }
    try {
        VRN_Matrix& document = *base();
        document.MoveBy(0,
                        -document.top - kScrollStepTwips * static_cast<float>(vScroll_->value()));
    } catch (...) {
        // A move that fails leaves the drawing where it is; the next one places it again.
    }
}

void frmMatrix::HScroll_Change() {
    if (WindowState() == 1 || scrollGuard_) {
        return;
    }
    try {
        VRN_Matrix& document = *base();
        document.MoveBy(-document.left - kScrollStepTwips * static_cast<float>(hScroll_->value()),
                        0);
    } catch (...) {
        // As for the vertical bar.
    }
}

void frmMatrix::Timer1_Timer() {
    Timer1.setEnabled(false);
    if (const auto cell = pressedCell_.lock()) {
        // Repainted released.
        cell->setValue(false);
        cell->setVisible(false);
        cell->setVisible(true);
    }
}

void frmMatrix::timer_load_Practice_details_Timer() {
    timer_load_Practice_details.setEnabled(false);
    const auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&program_.Current_Item);
    if (practice == nullptr || *practice == nullptr) {
        return;
    }
    noteBox_->hide();
    if ((*practice)->OptionGroup == nullptr) {
        emit practiceDetailsRequested(*practice);
    } else {
        program_.Options_Caller_Form = this;
        emit practiceOptionsRequested(*practice);
    }
}

std::shared_ptr<CellControl> frmMatrix::CreatePracticeGroup(bool, CellObject obj) {
    auto cell = std::make_shared<SceneCell>(context_);
    btnGroup_.push_back(cell);
    cellObjects_.push_back(std::visit(
        [](const auto& element) -> CellObjectRef { return std::weak_ptr(element); }, obj));
    return cell;
}

std::shared_ptr<InteractionLabel> frmMatrix::CreateInteract(
    const std::shared_ptr<VRN_MatrixInteraction>& interaction) {
    auto label = std::make_shared<SceneInteractionLabel>(context_);
    label->setWidth(kInteractionCellTwips);
    label->setHeight(kInteractionCellTwips);
    lblInteract_.push_back(label);
    interactionObjects_.push_back(interaction);
    return label;
}

std::shared_ptr<LineControl> frmMatrix::CreateLine() {
    auto line = std::make_shared<SceneLine>(context_);
    Lines_.push_back(line);
    return line;
}

std::optional<CellObject> frmMatrix::Cell_Object(int index) const {
    if (index < 1 || index > groupCellCount()) {
        return std::nullopt;
    }
    return std::visit(
        [](const auto& element) -> std::optional<CellObject> {
            if (auto locked = element.lock()) {
                return CellObject(std::move(locked));
            }
            return std::nullopt;
        },
        cellObjects_[static_cast<std::size_t>(index - 1)]);
}

std::shared_ptr<VRN_MatrixInteraction> frmMatrix::Interaction_Object(int index) const {
    if (index < 1 || index > interactionCellCount()) {
        return nullptr;
    }
    return interactionObjects_[static_cast<std::size_t>(index - 1)].lock();
}

CanvasCounts frmMatrix::canvasCounts() const {
    const auto shown = [](const auto& controls) {
        return static_cast<int>(
            std::count_if(controls.begin(), controls.end(),
                          [](const auto& control) { return control->drawn(); }));
    };
    return CanvasCounts{
        .cells = shown(btnGroup_), .interactionCells = shown(lblInteract_), .lines = shown(Lines_)};
}

void frmMatrix::HideObjDisplays() {
    for (const auto& cell : btnGroup_) {
        cell->setVisible(false);
    }
    for (const auto& label : lblInteract_) {
        label->setVisible(false);
    }
    for (const auto& line : Lines_) {
        line->setVisible(false);
    }
    btnSortDown_.setVisible(false);
    btnSortRight_.setVisible(false);
    thickLines_[0].setVisible(false);
    thickLines_[1].setVisible(false);
}

void frmMatrix::SetScrollbars(float X, float& xmax, float Y, float& ymax) {
    // The ranges follow the drawing's extent, wherever it has been scrolled to.
    const float width = std::abs(xmax - X);
    const float height = std::abs(ymax - Y);
    xmax = std::abs(xmax);
    ymax = std::abs(ymax);
    scrollGuard_ = true;
    const QSignalBlocker vGuard(vScroll_);
    const QSignalBlocker hGuard(hScroll_);
    vScroll_->setMaximum(scrollUnits(height / kScrollStepTwips));
    vScroll_->setPageStep(std::max(1, scrollUnits(Height() / kScrollStepTwips / 2)));
    hScroll_->setMaximum(scrollUnits(width / kScrollStepTwips));
    hScroll_->setPageStep(std::max(1, scrollUnits(Width() / kScrollStepTwips / 2)));
    scrollGuard_ = false;
}

void frmMatrix::alternative_name(const std::string& alt_name) {
    btnTarget_.setText(alt_name);
}

float frmMatrix::Height() const {
    return windowTwips(outerWindow()->height());
}

void frmMatrix::setHeight(float value) {
    QWidget* window = outerWindow();
    window->resize(window->width(), windowPixels(value));
}

float frmMatrix::Width() const {
    return windowTwips(outerWindow()->width());
}

void frmMatrix::setWidth(float value) {
    QWidget* window = outerWindow();
    window->resize(windowPixels(value), window->height());
}

void frmMatrix::setBackColor(std::int32_t value) {
    backColor_ = value;
    const QColor color = colorFromOle(value);
    canvas_->setBackground(color.isValid() ? color : palette().color(QPalette::Window));
}

}  // namespace vrn
