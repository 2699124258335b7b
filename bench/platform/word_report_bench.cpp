#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "bench/platform/resident_memory.h"
#include "bench/support/large_document.h"
#include "platform/docx/docx_deflater.h"
#include "platform/docx/word_report_export.h"

// The word-processor report of the large benchmark document, every report choice on, saved as
// a .docx file, beside its floor: the same parts, already made and held in memory, deflated into
// a zip file by the zip library at the same compression level. Prints both times (CPU time) and
// their ratio, the file's size, the unpacked size of its text, and how far the export's peak
// memory rises above the document's.

namespace vrn::bench {
namespace {

namespace fs = std::filesystem;

constexpr double kMB = 1024.0 * 1024.0;
constexpr int kRuns = 4;  // the fastest run of each counts: the machine may be shared

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

using Parts = std::vector<std::pair<std::string, std::string>>;

// The parts of a zip file in order, unpacked.
Parts ReadParts(const fs::path& docx) {
    Parts parts;
    int error = 0;
    zip_t* archive = zip_open(docx.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) {
        return parts;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
            file == nullptr) {
            break;
        }
        std::string bytes(stat.size, '\0');
        zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        parts.emplace_back(stat.name, std::move(bytes));
    }
    zip_discard(archive);
    return parts;
}

// The floor: `parts` deflated into a zip file the plainest way, pictures stored. CPU seconds.
double ZipParts(const Parts& parts, const fs::path& target) {
    const double start = cpuSeconds();
    int error = 0;
    zip_t* archive = zip_open(target.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        const bool picture = name.ends_with(".png");
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 picture ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 picture ? 0 : DocxDeflater::kLevel);
    }
    zip_close(archive);
    return cpuSeconds() - start;
}

LargeDocument& Large() {
    static LargeDocument large = [] {
        LargeDocumentShape shape;
        shape.withWindow = false;
        return BuildLargeDocument(shape);
    }();
    return large;
}

// Export and floor take turns, and the fastest run of each counts, so that both meet the same
// load on a shared machine.
void ExportLargeWordReport(benchmark::State& state) {
    VRN_Matrix& matrix = *Large().matrix;
    matrix.set_Report_Defaults();
    matrix.rpt_MatrixImage = 0;  // no window to capture
    const fs::path target = fs::temp_directory_path() /
                            ("vrn-word-report-bench-" + std::to_string(::getpid()) + ".docx");
    const fs::path floorTarget = target.string() + ".floor.zip";
    double exportCpu = 1e9;
    double floorCpu = 1e9;
    double peakAbove = 0;
    Parts parts;
    for (auto _ : state) {
        const double before = statusMB("VmRSS");
        resetPeakMemory();
        const double start = cpuSeconds();
        if (!ExportWordReport(matrix, target.string())) {
            state.SkipWithError("the export failed");
            break;
        }
        exportCpu = std::min(exportCpu, cpuSeconds() - start);
        peakAbove = std::max(peakAbove, peakAboveMB(before));
        if (parts.empty()) {
            parts = ReadParts(target);
        }
        floorCpu = std::min(floorCpu, ZipParts(parts, floorTarget));
    }
    double documentXml = 0;
    for (const auto& [name, bytes] : parts) {
        documentXml += name == "word/document.xml" ? static_cast<double>(bytes.size()) / kMB : 0;
    }
    state.counters["export_cpu_s"] = exportCpu;
    state.counters["floor_cpu_s"] = floorCpu;
    state.counters["ratio"] = exportCpu / floorCpu;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(target)) / kMB;
    state.counters["floor_file_MB"] = static_cast<double>(fs::file_size(floorTarget)) / kMB;
    state.counters["document_xml_MB"] = documentXml;
    state.counters["peak_above_document_MB"] = peakAbove;
    fs::remove(target);
    fs::remove(floorTarget);
}
BENCHMARK(ExportLargeWordReport)->Unit(benchmark::kMillisecond)->Iterations(kRuns);

}  // namespace
}  // namespace vrn::bench
