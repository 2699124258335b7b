#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "model/reports/report_file.h"
#include "model/reports/report_printer.h"
#include "platform/text_width_cache.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace vrn {

class PdfFileOutput;

// The report printer on a Qt printer: a real printer, or a PDF file when the printer's output
// file name is set. The job starts with the first output and ends with EndDoc. A PDF file is
// written to a temporary file beside its target (PdfFileOutput) and replaces the target only
// once the job ended well and every byte is on disk, so a failed or abandoned report leaves the
// previous file as it was and no half-written one.
class QtReportPrinter : public ReportPrinter {
public:
    // `printer` is configured by the caller (page layout, destination) and outlives this object;
    // `openFile` opens the file a PDF goes to.
    explicit QtReportPrinter(QPrinter& printer, ReportFileOpener openFile = OpenReportFile);
    ~QtReportPrinter() override;

    // Pages the last finished job put out.
    int pagesPrinted() const { return pagesPrinted_; }
    // Roughly the memory the widths of the texts measured so far take.
    std::size_t textWidthBytes() const { return widths_.bytes(); }

    QtReportPrinter(const QtReportPrinter&) = delete;
    QtReportPrinter& operator=(const QtReportPrinter&) = delete;

protected:
    double pageWidth() const override;
    double pageHeight() const override;
    double measureWidth(const PrinterFont& font, std::string_view line) const override;
    double lineHeight(const PrinterFont& font) const override;
    void drawText(const PrinterFont& font, double x, double y, std::string_view line) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    void drawPicture(const ReportPicture& picture, double x, double y, double width,
                     double height) override;
    void changeOrientation(PageOrientation orientation) override;
    void startNextPage() override;
    void endDocument() override;
    std::string shortDateText() const override;

private:
    // A font with its metrics, and its number among the fonts for the widths measured in it.
    struct FontEntry {
        QFont font;
        QFontMetricsF metrics;
        std::size_t number;
    };
    using FontKey = std::tuple<std::string, double, bool>;

    FontEntry& entryFor(const PrinterFont& font) const;
    QPainter& painter();
    double toDevice(double twips) const;
    double toTwips(double device) const;
    void abandon();

    QPrinter& printer_;
    ReportFileOpener openFile_;
    std::unique_ptr<PdfFileOutput> pdf_;   // while a job prints to a file
    QPagedPaintDevice* device_ = nullptr;  // the printer, or the PDF file's writer
    std::unique_ptr<QPainter> painter_;
    mutable std::map<FontKey, FontEntry> fonts_;
    // A report measures the same headings and names over and over.
    mutable TextWidthCache widths_;
    mutable PrinterFont lastFont_;  // the font entryFor found last, and its entry
    mutable FontEntry* lastEntry_ = nullptr;
    const FontEntry* painterFont_ = nullptr;
    // A new page is started only when something is drawn on it, so that a report ending with a
    // page break has no empty last page.
    bool pageBreakPending_ = false;
    int pagesStarted_ = 0;
    int pagesPrinted_ = 0;
};

}  // namespace vrn
