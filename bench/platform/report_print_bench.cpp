// Printing the matrix report to PDF on documents of three sizes, a small one and about ten and
// a hundred times its interactions: the time a page takes must not grow with the document, nor
// the memory with the pages. Beside each figure its floor: the same texts and boxes on the same
// pages (the first few thousand), drawn straight on a PDF writer into memory, with nothing laid
// out, measured, read from a document or written to disk. The hundredfold row sets its CPU time
// a page beside the tenfold row's, measured earlier in the same run (goal: at most 15 % more).
// The system's share of that time and the page faults a page takes show whether the buffers of
// the PDF writer's page compression (Qt's, 32 MiB a page) go back to the system after each page
// and are taken anew; the benchmark settles the heap's limits as the program does at its start,
// so that they stay.
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/platform/resident_memory.h"
#include "bench/support/cpu_time.h"
#include "bench/support/large_document.h"
#include "bench/support/offscreen_application.h"
#include "model/reports/printed_report.h"
#include "platform/heap_limits.h"
#include "platform/qt_report_printer.h"

namespace {

constexpr double kMillisecondsPerSecond = 1000;
constexpr double kTwipsPerInch = 1440;
constexpr double kHalfPointsPerInch = 144;

// The groups of the documents about ten and a hundred times the small one.
constexpr int kTenfoldGroups = 18;
constexpr int kHundredfoldGroups = 65;

// The CPU milliseconds a page took per document size (in groups), for the rows after it.
std::map<int, double>& msPerPageMeasured() {
    static std::map<int, double> measured;
    return measured;
}

// An existing state of `groups` groups of 10 practices against two alternatives of 40
// practices: 4 groups make the small document, kTenfoldGroups about ten times its interactions
// and kHundredfoldGroups about a hundred times.
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

// The floor's cost a page does not depend on how many pages there are: it draws the report's
// first pages up to this many, twice, and the faster run counts, as for the report.
constexpr int kMostFloorPages = 3000;

// The program's printer, keeping what it draws on its first `kMostFloorPages` pages.
class RecordingQtPrinter : public vrn::QtReportPrinter {
public:
    struct Drawn {
        int page;
        std::optional<vrn::PrinterFont> font;  // none for a box
        std::string text;
        double x1, y1, x2, y2;  // twips
    };

    using QtReportPrinter::QtReportPrinter;

    std::vector<Drawn> drawn;

protected:
    void drawText(const vrn::PrinterFont& font, double x, double y,
                  std::string_view line) override {
        if (Page() <= kMostFloorPages) {
            drawn.push_back({Page(), font, std::string(line), x, y, 0, 0});
        }
        QtReportPrinter::drawText(font, x, y, line);
    }
    void drawBox(double x1, double y1, double x2, double y2) override {
        if (Page() <= kMostFloorPages) {
            drawn.push_back({Page(), std::nullopt, {}, x1, y1, x2, y2});
        }
        QtReportPrinter::drawBox(x1, y1, x2, y2);
    }
};

// The floor: the same texts, in the same fonts at the same places, and the same boxes on the
// same pages, drawn straight on a PDF writer that writes into memory. CPU seconds.
double drawPlainPages(const QPrinter& like, const std::vector<RecordingQtPrinter::Drawn>& drawn) {
    const double start = vrn::bench::ProcessCpuSeconds();
    QBuffer memory;
    memory.open(QIODevice::WriteOnly);
    QPdfWriter writer(&memory);
    writer.setResolution(like.resolution());
    writer.setPageLayout(like.pageLayout());
    QPainter painter(&writer);
    painter.setPen(QPen(Qt::black, like.resolution() / kHalfPointsPerInch));
    const double scale = like.resolution() / kTwipsPerInch;
    // The report's handful of fonts, each made once.
    std::map<std::pair<double, bool>, std::pair<QFont, double>> fonts;
    int page = 1;
    for (const auto& item : drawn) {
        if (item.page != page) {
            writer.newPage();
            page = item.page;
        }
        if (!item.font) {
            painter.drawRect(QRectF(QPointF(item.x1 * scale, item.y1 * scale),
                                    QPointF(item.x2 * scale, item.y2 * scale)));
            continue;
        }
        auto found = fonts.find({item.font->Size, item.font->Bold});
        if (found == fonts.end()) {
            QFont font(QString::fromStdString(item.font->Name));
            font.setPointSizeF(item.font->Size);
            font.setBold(item.font->Bold);
            const double ascent = QFontMetricsF(font, &writer).ascent();
            found =
                fonts.emplace(std::pair(item.font->Size, item.font->Bold), std::pair(font, ascent))
                    .first;
        }
        const auto& [font, ascent] = found->second;
        if (painter.font() != font) {
            painter.setFont(font);
        }
        painter.drawText(QPointF(item.x1 * scale, item.y1 * scale + ascent),
                         QString::fromStdString(item.text));
    }
    painter.end();
    return vrn::bench::ProcessCpuSeconds() - start;
}

void setCounters(benchmark::State& state, int groups, const vrn::bench::ProcessCost& report,
                 int pages, double floorMsPerPage) {
    const double msPerPage = report.cpuSeconds * kMillisecondsPerSecond / pages;
    state.counters["pages"] = pages;
    state.counters["cpu_ms_per_page"] = msPerPage;
    state.counters["sys_ms_per_page"] = report.systemSeconds * kMillisecondsPerSecond / pages;
    state.counters["faults_per_page"] = report.faults / pages;
    state.counters["floor_cpu_ms_per_page"] = floorMsPerPage;
    state.counters["ratio"] = msPerPage / floorMsPerPage;
    state.counters["pages_per_cpu_s"] = kMillisecondsPerSecond / msPerPage;
    msPerPageMeasured()[groups] = msPerPage;
    const auto tenfold = msPerPageMeasured().find(kTenfoldGroups);
    if (groups > kTenfoldGroups && tenfold != msPerPageMeasured().end()) {
        state.counters["cpu_ms_per_page_x_10x"] = msPerPage / tenfold->second;
    }
}

void BM_PrintReportToPdf(benchmark::State& state) {
    vrn::settleHeapLimits();
    vrn::bench::offscreenApplication();
    const int groups = static_cast<int>(state.range(0));
    const vrn::bench::LargeDocumentShape shape = reportShape(groups);
    auto document = vrn::bench::BuildLargeDocument(shape);
    vrn::VRN_Matrix& matrix = *document.matrix;
    matrix.set_Report_Defaults();

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, folder.filePath(QStringLiteral("report.pdf")));
    const double residentBefore = vrn::bench::statusMB("VmRSS");
    vrn::bench::resetPeakMemory();
    vrn::bench::ProcessCost report{.cpuSeconds = 1e9};
    int pages = 0;
    for (auto _ : state) {
        vrn::QtReportPrinter reportPrinter(printer);
        const vrn::bench::ProcessCost start = vrn::bench::ProcessCostSoFar();
        matrix.PrintReport(reportPrinter, nullptr);
        const vrn::bench::ProcessCost job = vrn::bench::ProcessCostSoFar() - start;
        if (job.cpuSeconds < report.cpuSeconds) {
            report = job;
        }
        pages = reportPrinter.pagesPrinted();
    }
    const double printingPeak = vrn::bench::peakAboveMB(residentBefore);

    RecordingQtPrinter recorder(printer);
    matrix.PrintReport(recorder, nullptr);
    const int floorPages = std::min(pages, kMostFloorPages);
    const double floorCpu =
        std::min(drawPlainPages(printer, recorder.drawn), drawPlainPages(printer, recorder.drawn));

    state.counters["interactions"] = static_cast<double>(vrn::bench::InteractionCount(shape));
    setCounters(state, groups, report, pages, floorCpu * kMillisecondsPerSecond / floorPages);
    // What printing adds on top of the document: flat while the page count grows.
    state.counters["printing_peak_MB"] = printingPeak;
}
// Each size prints twice and the faster job counts, for the hundredfold document as for the others.
BENCHMARK(BM_PrintReportToPdf)
    ->Arg(4)
    ->Arg(kTenfoldGroups)
    ->Arg(kHundredfoldGroups)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
