// Printing the matrix report to PDF: a large matrix gives a report of hundreds of pages, which
// must come out at well over 100 pages a second without the memory growing with the pages.
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "bench/support/large_document.h"
#include "bench/support/offscreen_application.h"
#include "bench/support/peak_memory.h"
#include "model/reports/printed_report.h"
#include "platform/qt_report_printer.h"
#include "tests/support/model_doubles/recording_page_output.h"

namespace {

// An existing state of `groups` groups of 10 practices against two alternatives of 40
// practices: about 2,000 listed interactions for 4 groups and four times as many for 16.
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

// A figure of /proc/self/status ("VmRSS", "VmHWM") in megabytes; 0 when it cannot be read.
double statusMB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":")) {
            return std::stod(line.substr(field.size() + 1)) / 1024.0;  // given in kB
        }
    }
    return 0;
}

// Starts the resident high-water mark afresh at the current size, so that each run measures its
// own peak rather than that of the document built before it.
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// How many interaction lines the report lists.
std::int64_t listedInteractions(vrn::VRN_Matrix& matrix) {
    vrn::testing::RecordingPageOutput output;
    vrn::PrintedReport(matrix, output).PrintReport(nullptr);
    std::int64_t listed = 0;
    for (const auto& call : output.calls()) {
        listed += call.find(" Interaction with: ") != std::string::npos ? 1 : 0;
    }
    return listed;
}

void BM_PrintReportToPdf(benchmark::State& state) {
    vrn::bench::offscreenApplication();
    auto document = vrn::bench::BuildLargeDocument(reportShape(static_cast<int>(state.range(0))));
    vrn::VRN_Matrix& matrix = *document.matrix;
    matrix.set_Report_Defaults();
    const std::int64_t listed = listedInteractions(matrix);

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(18, 18, 18, 18), QPageLayout::Point));
    printer.setOutputFileName(folder.filePath(QStringLiteral("report.pdf")));
    resetPeakMemory();
    const double residentBefore = statusMB("VmRSS");

    std::int64_t pages = 0;
    for (auto _ : state) {
        vrn::QtReportPrinter reportPrinter(printer);
        matrix.PrintReport(reportPrinter, nullptr);
        pages += reportPrinter.pagesPrinted();
    }
    state.counters["listed_interactions"] = static_cast<double>(listed);
    state.counters["pages_per_report"] =
        static_cast<double>(pages) / static_cast<double>(state.iterations());
    state.counters["pages_per_s"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = vrn::bench::peakMemoryMB();
    // What printing adds on top of the document: flat while the page count grows eightfold.
    state.counters["printing_peak_MB"] = statusMB("VmHWM") - residentBefore;
}
BENCHMARK(BM_PrintReportToPdf)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
