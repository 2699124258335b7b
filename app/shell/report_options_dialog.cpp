#include "app/shell/report_options_dialog.h"

#include "app/common/named_widgets.h"
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "platform/window_capture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vrn {

namespace {

// The captured window is shown no larger than this inside the dialog.
constexpr int kPicturePixels = 360;

}  // namespace

// In the order the dialog fills the boxes from the flags.
const std::array<frmPrintReport::FlagBox, frmPrintReport::kFlagCount> frmPrintReport::kBoxes{{
    {"sscCurrentPractices", "Current Practices", &ReportFlags::Report_CurrentPractices},
    {"sscMatrixImage", "Matrix Image", &ReportFlags::Report_MatrixImage},
    {"sscMatrixDescription", "Matrix Description", &ReportFlags::Report_MatrixDescription},
    {"sscMatrixAttribution", "Matrix Attribution", &ReportFlags::Report_MatrixAttribution},
    {"sscCurrentPracticeDescriptions", "Current Practice Descriptions",
     &ReportFlags::Report_CurrentPracticeDescriptions},
    {"sscTargetPracticeDescriptions", "Target Practice Descriptions",
     &ReportFlags::Report_TargetPracticeDescriptions},
    {"sscIncludeHiddenAlternatives", "Target Practices",
     &ReportFlags::Report_IncludeHiddenAlternatives},
    {"sscIncludeAlternativeImages", "Include Alternative Images",
     &ReportFlags::Report_IncludeAlternativeImages},
    {"sscIncludeCustomFields", "Include Custom Fields", &ReportFlags::Report_IncludeCustomFields},
    {"sscIncludeCustomImages", "Include Custom Images", &ReportFlags::Report_IncludeCustomImages},
    {"sscCurrentPracticeInteractions", "Current Practice Interactions",
     &ReportFlags::Report_CurrentPracticeInteractions},
    {"sscTargetPracticeInteractions", "Target Practice Interactions",
     &ReportFlags::Report_TargetPracticeInteractions},
    {"sscCurrentTargetInteractions", "Current-Target Interactions",
     &ReportFlags::Report_CurrentTargetInteractions},
    {"sscInteractionValues", "Interaction Values", &ReportFlags::Report_InteractionValues},
    {"sscInteractionDescriptions", "Interaction Descriptions",
     &ReportFlags::Report_InteractionDescriptions},
    {"sscBlankInteractions", "Blank Interactions", &ReportFlags::Report_BlankInteractions},
}};

frmPrintReport::frmPrintReport(VrnMain& program, QWidget* reportWindow, QWidget* parent)
    : QDialog(parent), program_(program), reportWindow_(reportWindow) {
    setObjectName(QStringLiteral("frmPrintReport"));
    setWindowTitle(QStringLiteral("Options"));

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    tabs->addTab(buildReportOptionsTab(), QStringLiteral("Report Options"));
    tabs->addTab(new QWidget(tabs), QStringLiteral("Custom Fields"));
    tabs->addTab(new QWidget(tabs), QStringLiteral("Custom Images"));
    tabs->addTab(buildScreenSnapTab(), QStringLiteral("Screen Snap"));

    auto* cmdprint = namedButton(QStringLiteral(" Print Report"), "cmdprint", this);
    auto* btnExportWord = namedButton(QStringLiteral("Export to Word"), "btnExportWord", this);
    auto* cmdOK = namedButton(QStringLiteral("OK"), "cmdOK", this);
    auto* cmdCancel = namedButton(QStringLiteral("Cancel"), "cmdCancel", this);
    auto* restore =
        namedButton(QStringLiteral("Restore Defaults"), "btnRestoreReportDefaults", this);
    connect(cmdprint, &QPushButton::clicked, this, &frmPrintReport::cmdprint_Click);
    connect(btnExportWord, &QPushButton::clicked, this, &frmPrintReport::btnExportWord_Click);
    // The boxes have already changed the flags: OK and Cancel only close.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(restore, &QPushButton::clicked, this, [this] { setreportoptions(true); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(restore);
    buttons->addStretch();
    for (QPushButton* button : {cmdprint, btnExportWord, cmdOK, cmdCancel}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);

    setreportoptions(false);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

QWidget* frmPrintReport::buildReportOptionsTab() {
    auto* page = new QWidget;
    auto* frame = new QGroupBox(QStringLiteral("Matrix Elements Incuded"), page);
    auto* grid = new QGridLayout(frame);
    // Two columns, in the order of the report.
    constexpr int kRows = kFlagCount / 2;
    for (int i = 0; i < kFlagCount; ++i) {
        const FlagBox& design = kBoxes[static_cast<std::size_t>(i)];
        auto* box = new QCheckBox(QLatin1String(design.caption), frame);
        box->setObjectName(QLatin1String(design.name));
        const auto flag = design.flag;
        connect(box, &QCheckBox::clicked, this,
                [this, flag](bool checked) { program_.report.*flag = checked; });
        boxes_[static_cast<std::size_t>(i)] = box;
        grid->addWidget(box, i % kRows, i / kRows);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch();
    return page;
}

QWidget* frmPrintReport::buildScreenSnapTab() {
    auto* page = new QWidget;
    auto* capture = namedButton(QStringLiteral("Capture Form"), "btncapturepicture", page);
    connect(capture, &QPushButton::clicked, this, &frmPrintReport::captureForm);
    picOptions_ = namedLabel(QString(), "picOptions", page);
    picOptions_->setAlignment(Qt::AlignCenter);
    picOptions_->setMinimumSize(kPicturePixels, kPicturePixels * 3 / 4);
    picOptions_->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(capture, 0, Qt::AlignLeft);
    layout->addWidget(picOptions_, 1);
    return page;
}

void frmPrintReport::setreportoptions(bool restore) {
    if (restore) {
        program_.report = ReportFlags{};
    }
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        boxes_[i]->setChecked(program_.report.*kBoxes[i].flag);
    }
}

void frmPrintReport::cmdprint_Click() {
    program_.Report_Print_Requested = true;
    accept();
}

void frmPrintReport::btnExportWord_Click() {
    program_.Report_Export_Requested = true;
    accept();
}

void frmPrintReport::captureForm() {
    if (reportWindow_ == nullptr) {
        return;
    }
    captured_ = Capture_Form_Image(*reportWindow_);
    // A box not laid out yet (its tab never shown) has no size of its own to fit.
    const QSize room =
        picOptions_->isVisible() ? picOptions_->contentsRect().size() : picOptions_->minimumSize();
    const QPixmap shown =
        QPixmap::fromImage(captured_).scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picOptions_->setPixmap(shown);
}

void Show_Report_Dialog(VrnMain& program, const QString& title, frmMatrix* window,
                        QWidget* parent) {
    program.Dialog_Title = title;
    program.Report_Window = window;
    {
        frmPrintReport dialog(program, window, parent);
        dialog.exec();
    }
    frmMatrix* target = program.Report_Window;
    if (program.Report_Print_Requested) {
        program.Report_Print_Requested = false;
        QApplication::processEvents();
        if (target != nullptr) {
            target->Timer_Print_Report.setEnabled(true);
        }
    } else if (program.Report_Export_Requested) {
        program.Report_Export_Requested = false;
        QApplication::processEvents();
        if (target != nullptr) {
            target->Timer_Export_word.setEnabled(true);
        }
    }
}

}  // namespace vrn
