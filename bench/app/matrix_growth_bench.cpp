// How reading a matrix file into its window and laying it out grow with the document: the large
// benchmark document grown 1, 10 and 30 times in bytes and cells. Goal: both grow linearly, so
// that 100 times the cells take at most 12 times what 10 times take. A 100 times larger file,
// 5.5 GB on disk and about 9 GB of memory while it is read, does not fit beside the other work of
// a shared machine; on one that has the room, VRN_GROWTH_SCALES=1,10,100 times those scales
// instead of the default 1,10,30.
//
// Each scale reads its file twice into a new window and document. The first, cold read also
// pays for memory the system has not handed out before, which on a virtual machine costs more
// than the read itself and varies with what else runs; the second, warm read gets memory back
// that the first gave up, so it shows the work of reading. Each row prints the CPU times per
// cell; from the second scale on, each time per cell against the scale before it, and beside the
// 10 times file each time against that file's, measured earlier in the same run.
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "bench/support/cpu_time.h"
#include "bench/support/matrix_file_generator.h"
#include "bench/support/offscreen_application.h"
#include "bench/support/peak_memory.h"
#include "model/vrn_matrix.h"
#include "platform/testing/scripted_prompt.h"
#include "tests/support/model_doubles/recording_main_view.h"
#include "tests/support/model_doubles/scripted_messages.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace vrn::bench {
namespace {

// Layouts timed per scale; the best counts.
constexpr int kDraws = 3;
// The scale the others are set beside.
constexpr int kTenfold = 10;

struct Figures {
    double coldReadSeconds = 0;
    double readSeconds = 0;
    // Of each read: the system's share (page faults, the file's pages) and the page faults.
    double coldReadSystemSeconds = 0;
    double coldReadFaults = 0;
    double readSystemSeconds = 0;
    double readFaults = 0;
    double drawSeconds = 1e300;
    double cells = 0;
};

// What each scale measured, for the rows of the scales after it.
std::map<int, Figures>& measured() {
    static std::map<int, Figures> figures;
    return figures;
}

// The system time and the page faults of this process so far.
std::pair<double, double> SystemSecondsAndFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {static_cast<double>(usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_stime.tv_usec) * 1e-6,
            static_cast<double>(usage.ru_minflt + usage.ru_majflt)};
}

struct Run {
    double read = 0;
    double readSystem = 0;
    double readFaults = 0;
    double draw = 1e300;
};

// Reads the file into a new window and lays it out; the CPU times of the read and of the best
// layout.
Run ReadAndDraw(const GeneratedMatrixFile& generated) {
    testing::RecordingMainView mainView;
    testing::ScriptedMessages messages;
    VrnMain program;
    ScriptedPrompt prompt;
    auto window = std::make_unique<frmMatrix>(program, prompt);
    auto document = std::make_shared<VRN_Matrix>();
    Run run;
    const auto [systemBefore, faultsBefore] = SystemSecondsAndFaults();
    run.read = CpuSecondsOf([&] {
        std::int16_t file = 0;
        bool directions = false;
        document->OpenFile(generated.path.string(), file, "Input");
        document->Read(file, window.get(), directions, {&mainView, true, &messages});
        document->CloseFile(file);
    });
    const auto [systemAfter, faultsAfter] = SystemSecondsAndFaults();
    run.readSystem = systemAfter - systemBefore;
    run.readFaults = faultsAfter - faultsBefore;
    for (int i = 0; i < kDraws; ++i) {
        run.draw = std::min(run.draw, CpuSecondsOf([&] { document->Draw(1, 1); }));
    }
    window.reset();
    return run;
}

void SetCounters(benchmark::State& state, const Figures& figures, const Figures* previous) {
    const auto perCell = [&figures](double seconds) { return seconds / figures.cells * 1e9; };
    state.counters["cells"] = figures.cells;
    state.counters["cold_read_s"] = figures.coldReadSeconds;
    state.counters["read_s"] = figures.readSeconds;
    state.counters["draw_ms"] = figures.drawSeconds * 1e3;
    state.counters["cold_read_ns_per_cell"] = perCell(figures.coldReadSeconds);
    state.counters["read_ns_per_cell"] = perCell(figures.readSeconds);
    state.counters["draw_ns_per_cell"] = perCell(figures.drawSeconds);
    state.counters["cold_read_sys_s"] = figures.coldReadSystemSeconds;
    state.counters["cold_read_faults"] = figures.coldReadFaults;
    state.counters["read_sys_s"] = figures.readSystemSeconds;
    state.counters["read_faults"] = figures.readFaults;
    if (previous != nullptr) {
        const double cellRatio = figures.cells / previous->cells;
        const auto growth = [cellRatio](double now, double before) {
            return now / before / cellRatio;
        };
        state.counters["cold_read_per_cell_x_prev"] =
            growth(figures.coldReadSeconds, previous->coldReadSeconds);
        state.counters["read_per_cell_x_prev"] = growth(figures.readSeconds, previous->readSeconds);
        state.counters["draw_per_cell_x_prev"] = growth(figures.drawSeconds, previous->drawSeconds);
    }
    state.counters["peak_MB"] = peakMemoryMB();
}

// Each time against the 10 times file's, and the cells against its cells.
void SetTenfoldCounters(benchmark::State& state, const Figures& figures, const Figures& tenfold) {
    state.counters["cells_x_10x"] = figures.cells / tenfold.cells;
    state.counters["cold_read_x_10x"] = figures.coldReadSeconds / tenfold.coldReadSeconds;
    state.counters["read_x_10x"] = figures.readSeconds / tenfold.readSeconds;
    state.counters["draw_x_10x"] = figures.drawSeconds / tenfold.drawSeconds;
}

void ReadAndDrawInMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    const int scale = static_cast<int>(state.range(0));
    const GeneratedMatrixFile generated(ScaledShape(scale), "vrn-growth-bench");
    Figures figures{.cells = static_cast<double>(InteractionCount(generated.shape))};
    bool cold = true;
    for (auto _ : state) {
        const Run run = ReadAndDraw(generated);
        if (cold) {
            figures.coldReadSeconds = run.read;
            figures.coldReadSystemSeconds = run.readSystem;
            figures.coldReadFaults = run.readFaults;
        } else {
            figures.readSeconds = run.read;
            figures.readSystemSeconds = run.readSystem;
            figures.readFaults = run.readFaults;
        }
        figures.drawSeconds = std::min(figures.drawSeconds, run.draw);
        cold = false;
    }
    measured()[scale] = figures;
    const auto here = measured().find(scale);
    SetCounters(state, figures, here == measured().begin() ? nullptr : &std::prev(here)->second);
    if (const auto tenfold = measured().find(kTenfold);
        scale > kTenfold && tenfold != measured().end()) {
        SetTenfoldCounters(state, figures, tenfold->second);
    }
    state.counters["file_MB"] = static_cast<double>(generated.bytes) / (1024.0 * 1024.0);
}

// The scales to time, smallest first: VRN_GROWTH_SCALES (numbers split by commas), else 1, 10
// and 30.
std::vector<int> Scales() {
    std::vector<int> scales;
    if (const char* chosen = std::getenv("VRN_GROWTH_SCALES")) {
        std::istringstream list(chosen);
        for (std::string item; std::getline(list, item, ',');) {
            if (const int scale = std::atoi(item.c_str()); scale > 0) {
                scales.push_back(scale);
            }
        }
    }
    if (scales.empty()) {
        scales = {1, kTenfold, 30};
    }
    std::sort(scales.begin(), scales.end());
    return scales;
}

const auto* const kRegistered = [] {
    auto* benchmark =
        benchmark::RegisterBenchmark("ReadAndDrawInMatrixWindow", ReadAndDrawInMatrixWindow)
            ->ArgName("scale")
            ->Unit(benchmark::kMillisecond)
            ->Iterations(2);
    for (const int scale : Scales()) {
        benchmark->Arg(scale);
    }
    return benchmark;
}();

}  // namespace
}  // namespace vrn::bench
