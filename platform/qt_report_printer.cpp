#include "platform/qt_report_printer.h"

#include <QDate>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>

#include <utility>

#include "platform/pdf_file_output.h"

namespace vrn {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;
constexpr double kBoxLineTwips = 10;  // half a point
// The memory the widths of measured texts may take: the distinct lines of about 40,000 pages.
constexpr std::size_t kMostWidthBytes = std::size_t{16} << 20U;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtReportPrinter::QtReportPrinter(QPrinter& printer, ReportFileOpener openFile)
    : printer_(printer), openFile_(std::move(openFile)), widths_(kMostWidthBytes) {}

QtReportPrinter::~QtReportPrinter() {
    abandon();
}

double QtReportPrinter::toDevice(double twips) const {
    return twips * printer_.resolution() / kTwipsPerInch;
}

double QtReportPrinter::toTwips(double device) const {
    return device * kTwipsPerInch / printer_.resolution();
}

double QtReportPrinter::pageWidth() const {
    return printer_.pageLayout().paintRect(QPageLayout::Point).width() * kTwipsPerPoint;
}

double QtReportPrinter::pageHeight() const {
    return printer_.pageLayout().paintRect(QPageLayout::Point).height() * kTwipsPerPoint;
}

QtReportPrinter::FontEntry& QtReportPrinter::entryFor(const PrinterFont& font) const {
    if (lastEntry_ != nullptr && font == lastFont_) {
        return *lastEntry_;
    }
    const FontKey key{font.Name, font.Size, font.Bold};
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        QFont qtFont(QString::fromStdString(font.Name));
        qtFont.setPointSizeF(font.Size > 0 ? font.Size : 1);
        qtFont.setBold(font.Bold);
        found =
            fonts_.emplace(key, FontEntry{qtFont, QFontMetricsF(qtFont, &printer_), fonts_.size()})
                .first;
    }
    lastFont_ = font;
    lastEntry_ = &found->second;
    return found->second;
}

double QtReportPrinter::measureWidth(const PrinterFont& font, std::string_view line) const {
    const FontEntry& entry = entryFor(font);
    if (const double* known = widths_.find(entry.number, line)) {
        return *known;
    }
    const double width = toTwips(entry.metrics.horizontalAdvance(fromUtf8(line)));
    widths_.keep(entry.number, line, width);
    return width;
}

double QtReportPrinter::lineHeight(const PrinterFont& font) const {
    return toTwips(entryFor(font).metrics.height());
}

QPainter& QtReportPrinter::painter() {
    if (painter_) {
        if (std::exchange(pageBreakPending_, false)) {
            if (!device_->newPage()) {
                throw PrinterError("The printer could not start a new page.");
            }
            ++pagesStarted_;
        }
        return *painter_;
    }
    pageBreakPending_ = false;
    const bool toFile = !printer_.outputFileName().isEmpty();
    if (toFile) {
        pdf_ = std::make_unique<PdfFileOutput>(printer_, openFile_);
        device_ = &pdf_->writer();
    } else {
        device_ = &printer_;
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(device_)) {
        pdf_.reset();
        throw PrinterError(
            "Printing could not start on " +
            (toFile ? "the file " + printer_.outputFileName() : printer_.printerName())
                .toStdString() +
            ".");
    }
    painter->setPen(QPen(Qt::black, toDevice(kBoxLineTwips)));
    painter->setBrush(Qt::NoBrush);
    painter_ = std::move(painter);
    pagesStarted_ = 1;
    painterFont_ = nullptr;
    return *painter_;
}

void QtReportPrinter::drawText(const PrinterFont& font, double x, double y, std::string_view line) {
    QPainter& target = painter();
    const FontEntry& entry = entryFor(font);
    if (painterFont_ != &entry) {
        target.setFont(entry.font);
        painterFont_ = &entry;
    }
    target.drawText(QPointF(toDevice(x), toDevice(y) + entry.metrics.ascent()), fromUtf8(line));
}

void QtReportPrinter::drawBox(double x1, double y1, double x2, double y2) {
    painter().drawRect(
        QRectF(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2))));
}

void QtReportPrinter::drawPicture(const ReportPicture& picture, double x, double y, double width,
                                  double height) {
    if (picture.Empty()) {
        return;
    }
    const QImage image(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                       picture.Height, picture.Width * static_cast<int>(sizeof(std::uint32_t)),
                       QImage::Format_ARGB32);
    painter().drawImage(QRectF(toDevice(x), toDevice(y), toDevice(width), toDevice(height)), image);
}

void QtReportPrinter::changeOrientation(PageOrientation orientation) {
    const auto turned =
        orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    printer_.setPageOrientation(turned);
    if (pdf_) {
        pdf_->writer().setPageOrientation(turned);
    }
}

void QtReportPrinter::startNextPage() {
    if (painter_) {
        pageBreakPending_ = true;
    }
}

void QtReportPrinter::endDocument() {
    if (!painter_) {
        return;  // nothing was printed
    }
    const bool ended = painter_->end();
    painter_.reset();
    painterFont_ = nullptr;
    pageBreakPending_ = false;
    const std::unique_ptr<PdfFileOutput> pdf = std::move(pdf_);
    device_ = nullptr;
    pagesPrinted_ = 0;
    if (!ended || (!pdf && printer_.printerState() == QPrinter::Error)) {
        throw PrinterError(pdf ? "The report could not be written to " +
                                     printer_.outputFileName().toStdString() + "."
                               : std::string("The printer could not finish the report."));
    }
    if (pdf) {
        pdf->Commit();
    }
    pagesPrinted_ = pagesStarted_;
}

void QtReportPrinter::abandon() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
    pdf_.reset();
    device_ = nullptr;
}

std::string QtReportPrinter::shortDateText() const {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

}  // namespace vrn
