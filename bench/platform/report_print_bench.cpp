// Printing the matrix report to PDF on documents of three sizes, a small one and about ten and
// a hundred times its interactions: the time a page takes must not grow with the document, nor
// the memory with the pages. Beside each figure its floor: as many pages holding as many texts
// of the same length and as many boxes, drawn straight on the same PDF writer, with nothing
// laid out, measured or read from a document.
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <string>

#include "bench/platform/resident_memory.h"
#include "bench/support/large_document.h"
#include "bench/support/offscreen_application.h"
#include "model/reports/printed_report.h"
#include "platform/qt_report_printer.h"

namespace {

constexpr double kMillisecondsPerSecond = 1000;
constexpr double kPointsPerInch = 72;
constexpr double kTextPoints = 10;

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// An existing state of `groups` groups of 10 practices against two alternatives of 40
// practices: 4 groups make the small document, 18 about ten times its interactions and 65
// about a hundred times.
vrn::bench::LargeDocumentShape reportShape(int groups) {
    vrn::bench::LargeDocumentShape shape;
    shape.existingGroups = groups;
    shape.existingPracticesPerGroup = 10;
    shape.alternatives = 2;
    shape.alternativeGroups = 4;
    shape.alternativePracticesPerGroup = 10;
    shape.withWindow = false;
    return shape;
}

void setUp(QPrinter& printer, const QString& file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(18, 18, 18, 18), QPageLayout::Point));
    printer.setOutputFileName(file);
}

// The program's printer, counting what it draws.
class CountingPrinter : public vrn::QtReportPrinter {
public:
    using QtReportPrinter::QtReportPrinter;

    std::int64_t texts = 0;
    std::int64_t characters = 0;
    std::int64_t boxes = 0;

protected:
    void drawText(const vrn::PrinterFont& font, double x, double y,
                  std::string_view line) override {
        ++texts;
        characters += static_cast<std::int64_t>(line.size());
        QtReportPrinter::drawText(font, x, y, line);
    }
    void drawBox(double x1, double y1, double x2, double y2) override {
        ++boxes;
        QtReportPrinter::drawBox(x1, y1, x2, y2);
    }
};

// The floor: `pages` pages sharing out `texts` texts of the report's mean length and `boxes`
// boxes, drawn top to bottom. CPU seconds.
double drawPlainPages(const QPrinter& like, const QString& file, int pages, std::int64_t texts,
                      std::int64_t characters, std::int64_t boxes) {
    const double start = cpuSeconds();
    QPdfWriter writer(file);
    writer.setResolution(like.resolution());
    writer.setPageLayout(like.pageLayout());
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("Arial"), kTextPoints));
    const QString text(static_cast<qsizetype>(std::max<std::int64_t>(1, characters / texts)),
                       QLatin1Char('x'));
    const double line = painter.fontMetrics().height();
    const double left = like.resolution() * kTextPoints / kPointsPerInch;
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        const std::int64_t textsHere = texts * (page + 1) / pages - texts * page / pages;
        const std::int64_t boxesHere = boxes * (page + 1) / pages - boxes * page / pages;
        for (std::int64_t i = 0; i < textsHere; ++i) {
            painter.drawText(QPointF(left, line * static_cast<double>(i + 1)), text);
        }
        for (std::int64_t i = 0; i < boxesHere; ++i) {
            painter.drawRect(QRectF(left, line * static_cast<double>(i), left * 4, line));
        }
    }
    painter.end();
    return cpuSeconds() - start;
}

void BM_PrintReportToPdf(benchmark::State& state) {
    vrn::bench::offscreenApplication();
    const vrn::bench::LargeDocumentShape shape = reportShape(static_cast<int>(state.range(0)));
    auto document = vrn::bench::BuildLargeDocument(shape);
    vrn::VRN_Matrix& matrix = *document.matrix;
    matrix.set_Report_Defaults();

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, folder.filePath(QStringLiteral("report.pdf")));
    const double residentBefore = vrn::bench::statusMB("VmRSS");
    vrn::bench::resetPeakMemory();

    double reportCpu = 0;
    int pages = 0;
    CountingPrinter reportPrinter(printer);
    for (auto _ : state) {
        const double start = cpuSeconds();
        matrix.PrintReport(reportPrinter, nullptr);
        reportCpu += cpuSeconds() - start;
        pages += reportPrinter.pagesPrinted();
    }
    const double printingPeak = vrn::bench::peakAboveMB(residentBefore);
    const auto runs = static_cast<std::int64_t>(state.iterations());
    const double floorCpu = drawPlainPages(
        printer, folder.filePath(QStringLiteral("floor.pdf")), pages / static_cast<int>(runs),
        reportPrinter.texts / runs, reportPrinter.characters / runs, reportPrinter.boxes / runs);

    const double pagesPerRun = static_cast<double>(pages) / static_cast<double>(runs);
    const double msPerPage = reportCpu * kMillisecondsPerSecond / static_cast<double>(pages);
    const double floorMsPerPage = floorCpu * kMillisecondsPerSecond / pagesPerRun;
    state.counters["interactions"] = static_cast<double>(vrn::bench::InteractionCount(shape));
    state.counters["pages"] = pagesPerRun;
    state.counters["cpu_ms_per_page"] = msPerPage;
    state.counters["floor_cpu_ms_per_page"] = floorMsPerPage;
    state.counters["ratio"] = msPerPage / floorMsPerPage;
    state.counters["pages_per_cpu_s"] = kMillisecondsPerSecond / msPerPage;
    // What printing adds on top of the document: flat while the page count grows.
    state.counters["printing_peak_MB"] = printingPeak;
}
BENCHMARK(BM_PrintReportToPdf)
    ->Arg(4)
    ->Arg(18)
    ->Arg(65)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
