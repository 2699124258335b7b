#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <string>

#include "bench/support/large_document.h"
#include "bench/support/peak_memory.h"
#include "platform/docx/word_report_export.h"

// The word-processor report of the large benchmark document, every report choice on, saved as
// a .docx file. Prints the file's size, the unpacked size of its text and the process's
// peak memory (the document's own build included; it is made once, before the first export).

namespace vrn::bench {
namespace {

namespace fs = std::filesystem;

constexpr double kMB = 1024.0 * 1024.0;

// The unpacked size of the document's text part.
double DocumentXmlMB(const fs::path& docx) {
    int error = 0;
    zip_t* archive = zip_open(docx.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) {
        return 0;
    }
    zip_stat_t stat;
    const bool found = zip_stat(archive, "word/document.xml", 0, &stat) == 0;
    zip_discard(archive);
    return found ? static_cast<double>(stat.size) / kMB : 0;
}

LargeDocument& Large() {
    static LargeDocument large = [] {
        LargeDocumentShape shape;
        shape.withWindow = false;
        return BuildLargeDocument(shape);
    }();
    return large;
}

void ExportLargeWordReport(benchmark::State& state) {
    VRN_Matrix& matrix = *Large().matrix;
    matrix.rpt_MatrixImage = 0;  // no window to capture
    const double peakBefore = peakMemoryMB();
    const fs::path target = fs::temp_directory_path() /
                            ("vrn-word-report-bench-" + std::to_string(::getpid()) + ".docx");
    for (auto _ : state) {
        if (!ExportWordReport(matrix, target.string())) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(target)) / kMB;
    state.counters["document_xml_MB"] = DocumentXmlMB(target);
    state.counters["peak_MB"] = peakMemoryMB();
    state.counters["peak_before_MB"] = peakBefore;
    fs::remove(target);
}
BENCHMARK(ExportLargeWordReport)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace vrn::bench
