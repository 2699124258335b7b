// Printing the matrix report to PDF on documents of three sizes, a small one and about ten and
// a hundred times its interactions: the time a page takes must not grow with the document, nor
// the memory with the pages. The documents describe every practice and many interactions in
// words of their own, so that most lines of the report differ, as in a real document, and the
// printer's widths of measured texts cannot hold them all for free. Beside each figure its
// floor: the same texts and boxes on the same pages (the first few thousand), drawn straight on
// a PDF writer into memory, with nothing laid out, measured, read from a document or written to
// disk. The hundredfold row sets its CPU time a page beside the tenfold row's, measured earlier
// in the same run (goal: at most 15 % more), and states the texts it measured and the memory
// their widths took. The system's share of that time and the page faults a page takes show
// whether the buffers of the PDF writer's page compression (Qt's, 32 MiB a page) go back to the
// system after each page and are taken anew; the benchmark settles the heap's limits as the
// program does at its start, so that they stay.
//
// Then the sample report with one text of thousands of characters, against the same floor.
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
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bench/platform/resident_memory.h"
#include "bench/support/cpu_time.h"
#include "bench/support/large_document.h"
#include "bench/support/offscreen_application.h"
#include "model/reports/printed_report.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/heap_limits.h"
#include "platform/qt_report_printer.h"
#include "tests/support/model_doubles/scripted_messages.h"

namespace {

constexpr double kMillisecondsPerSecond = 1000;
constexpr double kBytesPerMB = 1024.0 * 1024.0;
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

// Every this many interactions with a value get a description and a discussion link.
constexpr std::int64_t kDescribedEvery = 4;

// A real document describes its practices and interactions each in its own words, while the
// built one repeats a few sentences, which the printer's widths of measured texts would hide:
// every practice gets a numbered description, and every kDescribedEvery-th interaction with a
// value a numbered description and discussion link.
void giveDistinctTexts(vrn::VRN_Matrix& matrix) {
    int practices = 0;
    const auto describePractices = [&](const vrn::VRN_State& state) {
        for (const auto& practice : state.Practices) {
            practice->setDescription("Practice " + std::to_string(++practices) +
                                     " as its owners tell it.");
        }
    };
    std::int64_t interactions = 0;
    const auto describeInteractions =
        [&](const vrn::Collection<vrn::VRN_MatrixInteraction>& collection) {
            for (const auto& interaction : collection) {
                if (interaction->Value().empty() || interactions++ % kDescribedEvery != 0) {
                    continue;
                }
                const std::string number = std::to_string(interactions);
                interaction->setDescription("Interaction " + number + " as its practices meet.");
                interaction->setDiscussion("https://example.org/discussions/" + number);
            }
        };
    describePractices(*matrix.Existing());
    describeInteractions(matrix.Existing()->Interactions);
    for (const auto& alternative : matrix.Alternatives_col) {
        describePractices(*alternative);
        describeInteractions(alternative->Interactions);
    }
    describeInteractions(matrix.Interactions);
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
    // Every text measured, in the font it was measured in.
    mutable std::set<std::tuple<std::string, double, bool, std::string>> measured;

protected:
    double measureWidth(const vrn::PrinterFont& font, std::string_view line) const override {
        measured.emplace(font.Name, font.Size, font.Bold, line);
        return QtReportPrinter::measureWidth(font, line);
    }
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
        state.counters["tenfold_cpu_ms_per_page"] = tenfold->second;
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
    giveDistinctTexts(matrix);
    matrix.set_Report_Defaults();

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, folder.filePath(QStringLiteral("report.pdf")));
    const double residentBefore = vrn::bench::statusMB("VmRSS");
    vrn::bench::resetPeakMemory();
    vrn::bench::ProcessCost report{.cpuSeconds = 1e9};
    int pages = 0;
    std::size_t widthBytes = 0;
    for (auto _ : state) {
        vrn::QtReportPrinter reportPrinter(printer);
        const vrn::bench::ProcessCost start = vrn::bench::ProcessCostSoFar();
        matrix.PrintReport(reportPrinter, nullptr);
        const vrn::bench::ProcessCost job = vrn::bench::ProcessCostSoFar() - start;
        if (job.cpuSeconds < report.cpuSeconds) {
            report = job;
        }
        pages = reportPrinter.pagesPrinted();
        widthBytes = reportPrinter.textWidthBytes();
    }
    const double printingPeak = vrn::bench::peakAboveMB(residentBefore);

    RecordingQtPrinter recorder(printer);
    matrix.PrintReport(recorder, nullptr);
    const int floorPages = std::min(pages, kMostFloorPages);
    const double floorCpu =
        std::min(drawPlainPages(printer, recorder.drawn), drawPlainPages(printer, recorder.drawn));

    state.counters["interactions"] = static_cast<double>(vrn::bench::InteractionCount(shape));
    state.counters["distinct_texts"] = static_cast<double>(recorder.measured.size());
    setCounters(state, groups, report, pages, floorCpu * kMillisecondsPerSecond / floorPages);
    // What printing adds on top of the document: flat while the page count grows.
    state.counters["printing_peak_MB"] = printingPeak;
    // Of which the widths of measured texts, at the end of the job.
    state.counters["width_cache_MB"] = static_cast<double>(widthBytes) / kBytesPerMB;
}
// Each size prints twice and the faster job counts, for the hundredfold document as for the others.
BENCHMARK(BM_PrintReportToPdf)
    ->Arg(4)
    ->Arg(kTenfoldGroups)
    ->Arg(kHundredfoldGroups)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

std::shared_ptr<vrn::VRN_Matrix> readSample(vrn::testing::ScriptedMessages& messages) {
    auto document = std::make_shared<vrn::VRN_Matrix>();
    std::ifstream file(VRN_SAMPLE_MATRIX, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + std::string(VRN_SAMPLE_MATRIX));
    }
    bool directions = false;
    document->Read(*file.rdbuf(), "sample.vrn", nullptr, directions, {nullptr, true, &messages});
    return document;
}

// The CPU seconds of the faster of two jobs printing `document`.
double fasterPrintJob(vrn::VRN_Matrix& document, QPrinter& printer) {
    double fastest = 1e9;
    for (int job = 0; job < 2; ++job) {
        vrn::QtReportPrinter reportPrinter(printer);
        fastest = std::min(fastest, vrn::bench::CpuSecondsOf(
                                        [&] { document.PrintReport(reportPrinter, nullptr); }));
    }
    return fastest;
}

// The long texts of the sample report below, of state.range(1) characters without a blank.
enum class LongText { PracticeName, StateDescription, Footer };

void giveLongText(vrn::VRN_Matrix& document, LongText which, std::size_t characters) {
    switch (which) {
        case LongText::PracticeName:
            document.Existing()->PGroups.Item(1)->PracticeParts.Item(1)->setName(
                std::string(characters, 'n'));
            return;
        case LongText::StateDescription:
            document.Existing()->Description = std::string(characters, 'd');
            return;
        case LongText::Footer:
            document.footer = std::string(characters, 'f');
            return;
    }
}

// The sample report with one long text: a practice name, printed under the practice and again in
// every line that names it; the existing state's description, wrapped over pages; or the footer,
// fitted on every page. The time must grow with the characters printed, not with their square.
// Beside it the floor (the same texts drawn straight on a PDF writer) and the sample as it is.
void BM_PrintReportWithLongText(benchmark::State& state) {
    vrn::settleHeapLimits();
    vrn::bench::offscreenApplication();
    vrn::testing::ScriptedMessages messages;
    auto document = readSample(messages);
    document->set_Report_Defaults();
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, folder.filePath(QStringLiteral("report.pdf")));
    const double ordinary = fasterPrintJob(*document, printer);

    const auto which = static_cast<LongText>(state.range(0));
    giveLongText(*document, which, static_cast<std::size_t>(state.range(1)));
    state.SetLabel(which == LongText::PracticeName       ? "practice name"
                   : which == LongText::StateDescription ? "state description"
                                                         : "footer");
    double report = 1e9;
    for (auto _ : state) {
        report = std::min(report, fasterPrintJob(*document, printer));
    }
    RecordingQtPrinter recorder(printer);
    document->PrintReport(recorder, nullptr);
    const double floor =
        std::min(drawPlainPages(printer, recorder.drawn), drawPlainPages(printer, recorder.drawn));

    state.counters["cpu_ms"] = report * kMillisecondsPerSecond;
    state.counters["floor_cpu_ms"] = floor * kMillisecondsPerSecond;
    state.counters["ratio"] = report / floor;
    state.counters["sample_cpu_ms"] = ordinary * kMillisecondsPerSecond;
    state.counters["pages"] = recorder.drawn.empty() ? 0 : recorder.drawn.back().page;
}
BENCHMARK(BM_PrintReportWithLongText)
    ->ArgsProduct({{static_cast<int>(LongText::PracticeName)}, {2000, 8000, 20000, 50000}})
    ->ArgsProduct({{static_cast<int>(LongText::StateDescription),
                    static_cast<int>(LongText::Footer)},
                   {8000, 50000}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
