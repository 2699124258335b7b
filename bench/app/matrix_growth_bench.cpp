// How reading a matrix file into its window and laying it out grow with the document: the large
// benchmark document grown 1, 10 and 30 times in bytes and cells. Goal: both grow linearly, so
// that 100 times the cells take at most 12 times what 10 times take. A 100 times larger file,
// 5.6 GB on disk and 9 GB of memory while it is read, does not fit beside the other work of a
// shared machine; on one that has the room, VRN_GROWTH_SCALES=1,10,100 times those scales
// instead of the default 1,10,30. The floor beside each scale is a getline pass over its file.
//
// Each scale reads its file twice into a new window and document. The first, cold read pays for
// memory the system hands out fresh; the second, warm read gets back memory that the first gave
// up. On a virtual machine that returns free memory to its host a few seconds after it is freed,
// fresh memory costs several times what the reading does, and how much of it the warm read finds
// fresh depends on how long the first document took to go; the system time of each read and its
// page faults are printed, and the user time (CPU time less system time) is the reader's own.
// Each row prints the CPU times per cell; from the second scale on, each time per cell against
// the scale before it, and beside the 10 times file each time against that file's, measured
// earlier in the same run.
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "bench/support/cpu_time.h"
#include "bench/support/line_pass.h"
#include "bench/support/matrix_file_generator.h"
#include "bench/support/offscreen_application.h"
#include "bench/support/peak_memory.h"
#include "model/vrn_matrix.h"
#include "platform/testing/scripted_prompt.h"
#include "tests/support/model_doubles/recording_main_view.h"
#include "tests/support/model_doubles/scripted_messages.h"

#include <benchmark/benchmark.h>

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

// The CPU time of one read, the system's share of it and the page faults it took.
using ReadFigures = ProcessCost;

struct Figures {
    ReadFigures cold;
    ReadFigures warm;
    double drawSeconds = 1e300;
    double getlineSeconds = 1e300;
    double cells = 0;
};

// What each scale measured, for the rows of the scales after it.
std::map<int, Figures>& measured() {
    static std::map<int, Figures> figures;
    return figures;
}

// Reads the file into a new window and lays it out; the read and the best layout's CPU time.
std::pair<ReadFigures, double> ReadAndDraw(const GeneratedMatrixFile& generated) {
    testing::RecordingMainView mainView;
    testing::ScriptedMessages messages;
    VrnMain program;
    ScriptedPrompt prompt;
    auto window = std::make_unique<frmMatrix>(program, prompt);
    auto document = std::make_shared<VRN_Matrix>();
    const ProcessCost before = ProcessCostSoFar();
    std::int16_t file = 0;
    bool directions = false;
    document->OpenFile(generated.path.string(), file, "Input");
    document->Read(file, window.get(), directions, {&mainView, true, &messages});
    document->CloseFile(file);
    const ReadFigures read = ProcessCostSoFar() - before;
    double draw = 1e300;
    for (int i = 0; i < kDraws; ++i) {
        draw = std::min(draw, CpuSecondsOf([&] { document->Draw(1, 1); }));
    }
    window.reset();
    return {read, draw};
}

void SetReadCounters(benchmark::State& state, const std::string& name, const ReadFigures& read,
                     double cells) {
    state.counters[name + "_s"] = read.cpuSeconds;
    state.counters[name + "_sys_s"] = read.systemSeconds;
    state.counters[name + "_faults"] = read.faults;
    state.counters[name + "_ns_per_cell"] = read.cpuSeconds / cells * 1e9;
}

void SetCounters(benchmark::State& state, const Figures& figures, const Figures* previous) {
    state.counters["cells"] = figures.cells;
    SetReadCounters(state, "cold_read", figures.cold, figures.cells);
    SetReadCounters(state, "read", figures.warm, figures.cells);
    state.counters["draw_ms"] = figures.drawSeconds * 1e3;
    state.counters["draw_ns_per_cell"] = figures.drawSeconds / figures.cells * 1e9;
    state.counters["getline_s"] = figures.getlineSeconds;
    if (previous != nullptr) {
        const double cellRatio = figures.cells / previous->cells;
        const auto growth = [cellRatio](double now, double before) {
            return now / before / cellRatio;
        };
        state.counters["cold_read_per_cell_x_prev"] =
            growth(figures.cold.cpuSeconds, previous->cold.cpuSeconds);
        state.counters["read_per_cell_x_prev"] =
            growth(figures.warm.cpuSeconds, previous->warm.cpuSeconds);
        state.counters["draw_per_cell_x_prev"] = growth(figures.drawSeconds, previous->drawSeconds);
    }
    state.counters["peak_MB"] = peakMemoryMB();
}

// Each time against the 10 times file's, and the cells against its cells.
void SetTenfoldCounters(benchmark::State& state, const Figures& figures, const Figures& tenfold) {
    state.counters["cells_x_10x"] = figures.cells / tenfold.cells;
    state.counters["cold_read_x_10x"] = figures.cold.cpuSeconds / tenfold.cold.cpuSeconds;
    state.counters["read_x_10x"] = figures.warm.cpuSeconds / tenfold.warm.cpuSeconds;
    state.counters["cold_read_user_x_10x"] =
        figures.cold.userSeconds() / tenfold.cold.userSeconds();
    state.counters["read_user_x_10x"] = figures.warm.userSeconds() / tenfold.warm.userSeconds();
    state.counters["draw_x_10x"] = figures.drawSeconds / tenfold.drawSeconds;
    state.counters["getline_x_10x"] = figures.getlineSeconds / tenfold.getlineSeconds;
}

void ReadAndDrawInMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    const int scale = static_cast<int>(state.range(0));
    const GeneratedMatrixFile generated(ScaledShape(scale), "vrn-growth-bench");
    Figures figures;
    figures.cells = static_cast<double>(InteractionCount(generated.shape));
    bool cold = true;
    for (auto _ : state) {
        figures.getlineSeconds =
            std::min(figures.getlineSeconds, CpuSecondsOf([&] { ReadLines(generated.path); }));
        const auto [read, draw] = ReadAndDraw(generated);
        (cold ? figures.cold : figures.warm) = read;
        figures.drawSeconds = std::min(figures.drawSeconds, draw);
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
