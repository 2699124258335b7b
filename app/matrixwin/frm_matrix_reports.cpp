#include "app/matrixwin/frm_matrix.h"

#include "app/matrixwin/frm_attribution.h"
#include "app/matrixwin/window_units.h"
#include "model/reports/printed_report.h"
#include "model/reports/printed_report_pages.h"
#include "model/vrn_matrix.h"
#include "platform/docx/word_report_export.h"
#include "platform/printer_choice.h"
#include "platform/qt_report_picture.h"
#include "platform/qt_report_printer.h"
#include "platform/window_capture.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QRubberBand>
#include <QScrollBar>

#include <cmath>
#include <exception>
#include <optional>

// The matrix window's reports and pictures: the printed report, the word-processor export, the
// printed frame-tool picture and the frame tool itself. The report flags are copied into the
// document just before each print or export, so the user's current choices always apply.

namespace vrn {

namespace {

// The smallest rubber band, in twips, when the pointer is above or left of its first corner.
constexpr float kSmallestBandTwips = 10;

const QString kPrintFailedText = QStringLiteral(
    "An error has occured in attempting to print this form: '%1' ... Please check that your "
    "default printer in online and that you are connected to it.  In the mean time, I'll ask you "
    "to save your work.");
const QString kCapturedText = QStringLiteral(
    "Captured Image can now be pasted from the clipboard into other windows applications using "
    "'Paste Special'.");

std::int16_t reportFlag(bool value) {
    return value ? std::int16_t{-1} : std::int16_t{0};
}

// The screen's pointer for the whole program: the standard shape or another one.
void setScreenPointer(std::optional<Qt::CursorShape> shape) {
    if (!shape) {
        while (QApplication::overrideCursor() != nullptr) {
            QApplication::restoreOverrideCursor();
        }
    } else if (QApplication::overrideCursor() != nullptr) {
        QApplication::changeOverrideCursor(*shape);
    } else {
        QApplication::setOverrideCursor(*shape);
    }
}

QByteArray pngBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

QString frmMatrix::fileNamedAfterDocument(const QString& suffix) const {
    // A generated name has no extension, though it may hold a dot.
    if (!hasFilePath) {
        return filename + QLatin1Char('.') + suffix;
    }
    const QFileInfo file(filename);
    return file.dir().filePath(file.completeBaseName() + QLatin1Char('.') + suffix);
}

void frmMatrix::Copy_Report_Options() {
    const ReportFlags& flags = program_.report;
    VRN_Matrix& document = *base();
    document.rpt_CurrentPractices = reportFlag(flags.Report_CurrentPractices);
    document.rpt_MatrixImage = reportFlag(flags.Report_MatrixImage);
    document.rpt_MatrixDescription = reportFlag(flags.Report_MatrixDescription);
    document.rpt_MatrixAttribution = reportFlag(flags.Report_MatrixAttribution);
    document.rpt_CurrentPracticeDescriptions = reportFlag(flags.Report_CurrentPracticeDescriptions);
    document.rpt_TargetPracticeDescriptions = reportFlag(flags.Report_TargetPracticeDescriptions);
    document.rpt_IncludeHiddenAlternatives = reportFlag(flags.Report_IncludeHiddenAlternatives);
    document.rpt_IncludeAlternativeImages = reportFlag(flags.Report_IncludeAlternativeImages);
    document.rpt_IncludeCustomFields = reportFlag(flags.Report_IncludeCustomFields);
    document.rpt_IncludeCustomImages = reportFlag(flags.Report_IncludeCustomImages);
    document.rpt_CurrentPracticeInteractions = reportFlag(flags.Report_CurrentPracticeInteractions);
    document.rpt_TargetPracticeInteractions = reportFlag(flags.Report_TargetPracticeInteractions);
    document.rpt_CurrentTargetInteractions = reportFlag(flags.Report_CurrentTargetInteractions);
    document.rpt_InteractionValues = reportFlag(flags.Report_InteractionValues);
    document.rpt_InteractionDescriptions = reportFlag(flags.Report_InteractionDescriptions);
    document.rpt_BlankInteractions = reportFlag(flags.Report_BlankInteractions);
}

void frmMatrix::Print_Report() {
    // A timer may print long after the command: the report has what the fields show then.
    commitPendingEdits();
    QPrinter printer(QPrinter::HighResolution);
    applyPrinterChoice(program_.Printer_Choice, printer);
    if (!prompt_.choosePrinter(printer, fileNamedAfterDocument(QStringLiteral("pdf")))) {
        return;
    }
    // The print dialog leaves the screen before the window is captured.
    QApplication::processEvents();
    Copy_Report_Options();
    std::optional<ReportPicture> image;
    if (program_.report.Report_MatrixImage) {
        picture1_ = Capture_Form_Client(*this);
        putPictureOnClipboard(picture1_);
        image = toReportPicture(picture1_);
    }
    QtReportPrinter reportPrinter(printer);
    try {
        base()->PrintReport(reportPrinter, image ? &*image : nullptr);
    } catch (const ReportError& error) {
        if (!error.jobEnded()) {
            throw;  // nothing was printed: reported as a failed print
        }
        // The job was printed without the parts that failed: the user must not take it whole.
        QStringList parts;
        for (const std::string& failure : error.failures()) {
            parts << QString::fromStdString(failure);
        }
        prompt_.messageBox(
            QStringLiteral("The report was printed, but these parts of it failed:\n%1")
                .arg(parts.join(QLatin1Char('\n'))),
            {.icon = MsgBoxIcon::Exclamation});
    }
}

void frmMatrix::init_print_Report() {
    try {
        vScroll_->setVisible(false);
        hScroll_->setVisible(false);
        Print_Report();
        vScroll_->setVisible(true);
        hScroll_->setVisible(true);
    } catch (const std::exception& error) {
        vScroll_->setVisible(true);
        hScroll_->setVisible(true);
        prompt_.messageBox(kPrintFailedText.arg(QString::fromUtf8(error.what())));
        program_.Current_Matrix = base();
        program_.Save_As_Running = true;
        showAttribution(program_, this);
        program_.Save_As_Running = false;
        SaveMatrixAs(program_.Save_As_Locked);
        Redraw(false);
    }
}

void frmMatrix::Print_Captured_Image() {
    if (picture1_.isNull()) {
        prompt_.messageBox(QStringLiteral("There is no captured image to print."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    applyPrinterChoice(program_.Printer_Choice, printer);
    if (!prompt_.choosePrinter(printer, {})) {
        return;
    }
    QtReportPrinter reportPrinter(printer);
    PrinterPageOutput page(reportPrinter);
    page.Print_Picture_To_Page(toReportPicture(picture1_), false, std::nullopt, "");
    page.EndDoc();
}

void frmMatrix::Export_Word() {
    commitPendingEdits();
    const std::optional<QString> chosen = prompt_.saveFile(
        {.filter = QStringLiteral("*.docx|*.docx|All Files (*.*)|*.*"),
         .defaultExt = QStringLiteral("docx"),
         .fileName = fileNamedAfterDocument(QStringLiteral("docx")),
         .flags = FileDialogFlags::HideReadOnly | FileDialogFlags::OverwritePrompt});
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    // The dialog leaves the screen before the window is captured.
    QApplication::processEvents();
    Copy_Report_Options();
    QByteArray picture;
    if (program_.report.Report_MatrixImage) {
        picture1_ = Capture_Form_Client(*this);
        putPictureOnClipboard(picture1_);
        picture = pngBytes(picture1_);
    }
    // The export tells the user itself why it failed.
    ExportWordReport(
        *base(), chosen->toStdString(),
        std::string_view(picture.constData(), static_cast<std::size_t>(picture.size())));
}

void frmMatrix::Timer_Print_Report_Timer() {
    Timer_Print_Report.setEnabled(false);
    init_print_Report();
}

void frmMatrix::Timer_Export_word_Timer() {
    Timer_Export_word.setEnabled(false);
    try {
        Export_Word();
    } catch (const std::exception& error) {
        prompt_.messageBox(QStringLiteral("The report could not be exported: %1").arg(error.what()),
                           {.icon = MsgBoxIcon::Critical});
    }
}

void frmMatrix::Form_Click() {
    if (Frametool_Active) {
        Frametool_Captured = true;
        if (MatrixHost* host = program_.Main_Window) {
            host->hostMenuItem(QStringLiteral("munFilePrintCaptured")).setEnabled(true);
        }
        Frametool_Active = false;
        Frametool_Enabled = false;
        setScreenPointer(std::nullopt);
        frameToolBand_->hide();
        QApplication::processEvents();
        const QRect region(windowPixels(static_cast<float>(frameTool_.left())),
                           windowPixels(static_cast<float>(frameTool_.top())),
                           windowPixels(static_cast<float>(frameTool_.width())),
                           windowPixels(static_cast<float>(frameTool_.height())));
        picture1_ = Capture_Form_Region(*this, region);
        putPictureOnClipboard(picture1_);
        prompt_.messageBox(kCapturedText);
    } else if (Frametool_Enabled) {
        setScreenPointer(Qt::CrossCursor);
        Frametool_Active = true;
        frameTool_.moveTopLeft(lastPress_);
        placeFrameTool();
        frameToolBand_->raise();
        frameToolBand_->show();
    } else {
        Clear_Selection(false, 0);
        if (!btnGroup_.empty() && btnGroup_.front()->Visible()) {
            btnGroup_.front()->ZOrder(0);
        }
    }
}

void frmMatrix::frameToolFollows(float X, float Y) {
    const double width = X - frameTool_.left();
    const double height = Y - frameTool_.top();
    frameTool_.setWidth(width < 0 ? kSmallestBandTwips : width);
    frameTool_.setHeight(height < 0 ? kSmallestBandTwips : height);
    placeFrameTool();
}

void frmMatrix::placeFrameTool() {
    frameToolBand_->setGeometry(windowPixels(static_cast<float>(frameTool_.left())),
                                windowPixels(static_cast<float>(frameTool_.top())),
                                windowPixels(static_cast<float>(frameTool_.width())),
                                windowPixels(static_cast<float>(frameTool_.height())));
}

bool frmMatrix::imgFrameToolVisible() const {
    return frameToolBand_->isVisible();
}

}  // namespace vrn
