#include "app/matrixwin/frm_matrix.h"

#include "app/common/literal_text.h"
#include "app/matrixwin/document_files.h"
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/note_box.h"
#include "app/matrixwin/window_units.h"
#include "model/file/record_value_text.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QRubberBand>
#include <QScrollBar>
#include <QtMath>

#include <algorithm>

// The matrix window's life, its document and the commands on it. Its designed controls and the
// ones the document asks for, the selection and the menus that follow it, saving and closing,
// and scrolling each have a file of their own beside this one.

namespace vrn {

namespace {

constexpr float kLoadHeightTwips = 10000;
constexpr float kDesignWidthTwips = 12000;
// The footer keeps this far below the drawing when the drawing reaches the foot of the window.
constexpr float kFooterGapTwips = 60;
// Farther than any control is ever placed, in pixels.
constexpr qreal kFarPixels = 1.0e9;
// Where the description box stands in its frame as designed, and what its caption needs above
// it at a larger font.
constexpr float kDescriptionBoxTopTwips = 300;
constexpr qreal kCaptionMarginPixels = 3;
constexpr float kDefaultCaptionPoints = 8;

// Asks for a new name of a practice or group; an empty answer or Cancel keeps the old one.
template <class Element>
void askNewName(Prompt& prompt, Element& element, const QString& title) {
    const QString name = QString::fromStdString(element.Name());
    const std::optional<QString> answer =
        prompt.inputBox(QStringLiteral("Please Enter The New Name for '%1'")
                            .arg(QString::fromStdString(ShortenedForMessage(element.Name()))),
                        title, name);
    if (answer && !answer->isEmpty()) {
        element.setName(answer->toStdString());
    }
}

}  // namespace

frmMatrix::frmMatrix(VrnMain& program, Prompt& prompt, QWidget* parent)
    : QWidget(parent),
      program_(program),
      prompt_(prompt),
      canvas_(new MatrixCanvas(this)),
      vScroll_(new QScrollBar(Qt::Vertical, this)),
      hScroll_(new QScrollBar(Qt::Horizontal, this)),
      context_{.canvas = canvas_, .dotsPerInch = kMatrixDotsPerInch},
      backColor_(kOleButtonFace),
      noteBox_(new NoteBox(this)),
      frameToolBand_(new QRubberBand(QRubberBand::Rectangle, canvas_)) {
    setObjectName(QStringLiteral("frmMatrix"));
    setCaption(QStringLiteral("Matrix"));
    setFocusPolicy(Qt::StrongFocus);

    canvas_->installEventFilter(this);
    vScroll_->installEventFilter(this);
    hScroll_->installEventFilter(this);
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
    connect(&Timer_Print_Report, &QTimer::timeout, this, &frmMatrix::Timer_Print_Report_Timer);
    connect(&Timer_Export_word, &QTimer::timeout, this, &frmMatrix::Timer_Export_word_Timer);
    frameToolBand_->setObjectName(QStringLiteral("imgFrameTool"));
    frameToolBand_->hide();

    connect(noteBox_, &NoteBox::noteEdited, this, &frmMatrix::writeNote);
    connect(noteBox_, &NoteBox::discussionClicked, this, [this](const QString& link) {
        if (MatrixHost* host = program_.Main_Window) {
            host->Open_In_Browser(link);
        }
    });
    connect(noteBox_, &NoteBox::dropped, this, [this](const QPoint& topLeft) {
        Form_DragDrop(noteBox_->objectName(), windowTwips(topLeft.x()), windowTwips(topLeft.y()));
    });
    connectEditing();
}

void frmMatrix::setCaption(const QString& caption) {
    caption_ = caption;
    setWindowTitle(literalWindowTitle(caption));
}

void frmMatrix::showTitle() {
    frameDescription_.setText(base()->title);
}

frmMatrix::~frmMatrix() {
    delete canvasPointerFilter_;
    delete fieldEditorFilter_;
    forgetScene();
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
        return kWindowMinimized;
    }
    return window->isMaximized() ? kWindowMaximized : kWindowNormal;
}

void frmMatrix::setWindowState(int state) {
    QWidget* window = outerWindow();
    switch (state) {
        case kWindowMinimized:
            window->showMinimized();
            break;
        case kWindowMaximized:
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
    loadLogo(QStringLiteral("Logo_On_Form.bmp"));
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
    if (program_.Report_Print_Requested) {
        program_.Report_Print_Requested = false;
        QApplication::processEvents();
        program_.Report_Window = this;
        init_print_Report();
    }
    if (program_.Report_Export_Requested) {
        program_.Report_Export_Requested = false;
        QApplication::processEvents();
        program_.Report_Window = this;
        Timer_Export_word.setEnabled(true);
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
    // The document's sizes stay its own: new windows start with the preferences, which only
    // the options dialog and the scale steps change.
    VRN_Matrix& document = *base();
    // Again at the present scroll offset.
    document.Draw(document.left, document.top);
    showTitle();
    // However the shown alternative or the names changed, the menu and the status bar follow.
    listAlternatives();
    refreshStatus();
    vScroll_->raise();
    hScroll_->raise();
    MatrixHost* host = program_.Main_Window;
    if (host == nullptr) {
        return;
    }
    Weighted = host->Checked(ViewMark::mnuViewWeightedSort);
    QAction& directions = host->hostMenuItem(QStringLiteral("mnuViewDirections"));
    if (directions.isChecked()) {
        // Cleared first: a refresh while the dialog is open must not open another.
        directions.setChecked(false);
        Show_Directions_Dialog(program_, prompt_, QStringLiteral("Directions"),
                               program_.Directions_Object, host->dialogParent());
    }
}

void frmMatrix::use_alternative(bool enable, std::int16_t Alt_index) {
    // A description being typed belongs to the alternative it was typed for.
    commitPendingEdits();
    base()->use_alternative(enable, Alt_index);
    Redraw(false);
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

void frmMatrix::keyPressEvent(QKeyEvent* event) {
    if (!matrixKey(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

void frmMatrix::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (WindowState() != kWindowMinimized) {
        placeFooter();
        placeLogo();
    }
}

void frmMatrix::placeFooter() {
    // At the foot of the drawing area while nothing of the drawing stands there; otherwise below
    // the whole drawing, to be scrolled to, never over it.
    const float areaBottom = windowTwips(canvas_->height()) - lblFooter_.Height();
    lblFooter_.setWidth(windowTwips(canvas_->width()));
    lblFooter_.setTop(areaBottom);
    const ScenePaintable* footer = &lblFooter_;
    const auto drawingIn = [this, footer](const QRectF& area) {
        std::vector<ScenePaintable*> found = canvas_->controlsIn(area);
        std::erase(found, footer);
        return found;
    };
    if (drawingIn(footer->paintRect()).empty()) {
        return;
    }
    qreal drawingBottom = 0;
    const QRectF everywhere(QPointF(-kFarPixels, -kFarPixels), QPointF(kFarPixels, kFarPixels));
    for (const ScenePaintable* control : drawingIn(everywhere)) {
        drawingBottom = std::max(drawingBottom, control->paintRect().bottom());
    }
    lblFooter_.setTop(windowTwips(qCeil(drawingBottom)) + kFooterGapTwips);
}

void frmMatrix::fitDescriptionBox() {
    // The description box starts below the frame's caption, which grows with the font.
    QFont caption = QApplication::font();
    const float points = frameDescription_.fontsize();
    caption.setPointSizeF(points > 0 ? points : kDefaultCaptionPoints);
    const float captionTwips =
        windowTwips(qCeil(QFontMetricsF(caption).height() + 2 * kCaptionMarginPixels));
    const float top = std::max(kDescriptionBoxTopTwips, captionTwips);
    if (top == txtDescription_.top()) {
        return;
    }
    const float bottom = txtDescription_.top() + txtDescription_.Height();
    txtDescription_.setTop(top);
    txtDescription_.setHeight(std::max(0.0F, bottom - top));
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
