#pragma once

#include "app/common/report_flags.h"

#include <QDialog>
#include <QImage>
#include <QPointer>

#include <array>

class QCheckBox;
class QLabel;

namespace vrn {

class frmMatrix;
struct VrnMain;

// The report options dialog ("Options"): a box per report flag, bound to the run's flags, and
// the buttons that ask the report window to print or export once the dialog has closed. A box's
// click changes its flag at once, so Cancel keeps what was changed.
class frmPrintReport : public QDialog {
    Q_OBJECT
public:
    frmPrintReport(VrnMain& program, QWidget* reportWindow, QWidget* parent = nullptr);

    // Shows the flags in the boxes; `restore` first sets every flag to its default.
    void setreportoptions(bool restore);

    // What Capture Form showed last; null before.
    const QImage& capturedPicture() const { return captured_; }

    static constexpr int kFlagCount = 16;

private:
    struct FlagBox {
        const char* name;
        const char* caption;
        bool ReportFlags::*flag;
    };
    static const std::array<FlagBox, kFlagCount> kBoxes;

    QWidget* buildReportOptionsTab();
    QWidget* buildScreenSnapTab();
    void cmdprint_Click();
    void btnExportWord_Click();
    void captureForm();

    VrnMain& program_;
    QPointer<QWidget> reportWindow_;
    std::array<QCheckBox*, kFlagCount> boxes_{};
    QLabel* picOptions_ = nullptr;
    QImage captured_;
};

// Shows the report options dialog for `window` under `title`; once it has closed, a print or
// export request becomes the window's one-shot timer. The print request wins when both are set
// (the export request then stays set).
void Show_Report_Dialog(VrnMain& program, const QString& title, frmMatrix* window, QWidget* parent);

}  // namespace vrn
