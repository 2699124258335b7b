#include "app/matrixwin/frm_matrix.h"

#include "app/shell/frm_main.h"
#include "app/shell/vrn_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"

#include <QCloseEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGridLayout>
#include <QMdiSubWindow>
#include <QScrollBar>

#include <cmath>
#include <limits>

namespace vrn {

namespace {

constexpr float kLoadHeightTwips = 10000;
constexpr float kDesignWidthTwips = 12000;
// One scroll step moves the drawing this far.
constexpr float kScrollStepTwips = 500;
constexpr int kLegendLabels = 16;

// A window length in twips as pixels a window can take.
int windowPixels(float twips, double dotsPerInch) {
    constexpr float kMaxTwips = 1.0e6F;
    return std::max(1, twipsToPixels(std::clamp(twips, 0.0F, kMaxTwips), dotsPerInch));
}

int scrollUnits(double value) {
    const double rounded = std::nearbyint(value);
    return static_cast<int>(std::clamp<double>(rounded, 0, std::numeric_limits<int>::max()));
}

}  // namespace

frmMatrix::frmMatrix(VrnMain& program, QWidget* parent)
    : QWidget(parent),
      program_(program),
      scene_(new QGraphicsScene(this)),
      view_(new QGraphicsView(scene_, this)),
      vScroll_(new QScrollBar(Qt::Vertical, this)),
      hScroll_(new QScrollBar(Qt::Horizontal, this)),
      context_{.scene = scene_, .dotsPerInch = static_cast<double>(logicalDpiX())},
      backColor_(kOleButtonFace) {
    setObjectName(QStringLiteral("frmMatrix"));
    setWindowTitle(QStringLiteral("Matrix"));

    // The drawing moves as a whole when it scrolls; an index would be rebuilt on every move.
    scene_->setItemIndexMethod(QGraphicsScene::NoIndex);
    view_->setObjectName(QStringLiteral("MatrixView"));
    view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setFrameShape(QFrame::NoFrame);
    // The drawing moves itself when scrolled, so the view always shows the scene from its origin.
    view_->setSceneRect(QRectF(0, 0, 1, 1));
    vScroll_->setObjectName(QStringLiteral("VScroll"));
    hScroll_->setObjectName(QStringLiteral("HScroll"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 0, 0);
    layout->addWidget(vScroll_, 0, 1);
    layout->addWidget(hScroll_, 1, 0);

    for (int i = 0; i < kLegendLabels; ++i) {
        label1_.emplace_back(context_, Kind::Label);
    }
    setBackColor(backColor_);
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
    for (SceneLine& line : thickLines_) {
        line.forgetScene();
    }
    chkLock_.forgetScene();
    // One pass over the scene instead of one search per item.
    scene_->clear();
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
    Weighted = true;
    if (startup_PG != nullptr || LoadNewDoc) {
        newdoc();
    }
}

void frmMatrix::Form_Activate() {
    Do_menus();
}

void frmMatrix::newdoc() {
    base_ = std::make_shared<VRN_Matrix>();
    base_->CreateNew(componentContext(), this, false);
    newdocpreferences(true);
    base_->CreateInit(program_.prefs.Def_num_alternatives, ent_, startup_PG, false);
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
    const VRN_Matrix& document = *base();
    prefs.PracticeHeight = document.VRN_PracticeHeight;
    prefs.PracticeWidth = document.VRN_PracticeWidth;
    prefs.PracticeGroupHeight = document.VRN_PracticeGrpHeight;
    vScroll_->raise();
    hScroll_->raise();
    if (program_.Main_Window != nullptr) {
        Weighted = program_.Main_Window->Checked(ViewMark::mnuViewWeightedSort);
    }
}

void frmMatrix::use_alternative(bool enable, std::int16_t Alt_index) {
    base()->use_alternative(enable, Alt_index);
    Redraw(false);
}

void frmMatrix::Do_menus() {
    program_.Current_Matrix = base();
    if (frmMain* main = program_.Main_Window) {
        main->ent = ent_;
        main->menuItem(QStringLiteral("mnuHelpDirections"))->setEnabled(true);
        main->setMnuFileSaveEnabled(!base_->locked);
    }
}

void frmMatrix::SaveMatrixAs(bool&) {}

void frmMatrix::RenamePractice(const std::shared_ptr<VRN_Practice>&) {}

void frmMatrix::RenamePracticeGroup(const std::shared_ptr<VRN_PracticeGroup>&) {}

void frmMatrix::RenameMatrix() {}

void frmMatrix::Print_Report() {}

void frmMatrix::Print_Captured_Image() {}

void frmMatrix::closeEvent(QCloseEvent* event) {
    program_.Current_Matrix = nullptr;
    if (frmMain* main = program_.Main_Window) {
        main->ent = nullptr;
        main->menuItem(QStringLiteral("mnuHelpDirections"))->setEnabled(false);
    }
    event->accept();
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

void frmMatrix::SetScrollbars(float, float& xmax, float, float& ymax) {
    xmax = std::abs(xmax);
    ymax = std::abs(ymax);
    const QSignalBlocker vGuard(vScroll_);
    const QSignalBlocker hGuard(hScroll_);
    vScroll_->setMaximum(scrollUnits(ymax / kScrollStepTwips));
    vScroll_->setPageStep(std::max(1, scrollUnits(Height() / kScrollStepTwips / 2)));
    hScroll_->setMaximum(scrollUnits(xmax / kScrollStepTwips));
    hScroll_->setPageStep(std::max(1, scrollUnits(Width() / kScrollStepTwips / 2)));
}

void frmMatrix::alternative_name(const std::string& alt_name) {
    btnTarget_.setText(alt_name);
}

float frmMatrix::Height() const {
    const QWidget* window = outerWindow();
    return static_cast<float>(pixelsToTwips(window->height(), context_.dotsPerInch));
}

void frmMatrix::setHeight(float value) {
    QWidget* window = outerWindow();
    window->resize(window->width(), windowPixels(value, context_.dotsPerInch));
}

float frmMatrix::Width() const {
    const QWidget* window = outerWindow();
    return static_cast<float>(pixelsToTwips(window->width(), context_.dotsPerInch));
}

void frmMatrix::setWidth(float value) {
    QWidget* window = outerWindow();
    window->resize(windowPixels(value, context_.dotsPerInch), window->height());
}

void frmMatrix::setBackColor(std::int32_t value) {
    backColor_ = value;
    const QColor color = colorFromOle(value);
    scene_->setBackgroundBrush(color.isValid() ? color : palette().color(QPalette::Window));
}

}  // namespace vrn
