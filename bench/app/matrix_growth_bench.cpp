// How reading a matrix file into its window and laying it out grow with the document: the large
// benchmark document grown 1, 10 and 30 times in bytes and cells (a 100 times larger one, 5.5 GB
// of file and 9 GB of memory, does not fit beside the other work of this machine). Goal: both
// grow linearly, so that a cell costs at 30 times at most 1.2 times what it costs at 10 times
// (100 times at most 12 times 10 times).
//
// Each scale reads its file twice into a new window and document. The first, cold read also
// pays for memory the system has not handed out before, which on a virtual machine costs more
// than the read itself and varies with what else runs; the second, warm read gets memory back
// that the first gave up, so it shows the work of reading. Each row prints the CPU times per
// cell and, from the second scale on, each time per cell against the scale before it, measured
// earlier in the same run.
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

#include <algorithm>
#include <iterator>
#include <map>
#include <string>

namespace vrn::bench {
namespace {

// Layouts timed per scale; the best counts.
constexpr int kDraws = 3;

struct Figures {
    double coldReadSeconds = 0;
    double readSeconds = 0;
    double drawSeconds = 1e300;
    double cells = 0;
};

// What each scale measured, for the rows of the scales after it.
std::map<int, Figures>& measured() {
    static std::map<int, Figures> figures;
    return figures;
}

// Reads the file into a new window and lays it out; the CPU times of the read and of the best
// layout.
std::pair<double, double> ReadAndDraw(const GeneratedMatrixFile& generated) {
    testing::RecordingMainView mainView;
    testing::ScriptedMessages messages;
    VrnMain program;
    ScriptedPrompt prompt;
    auto window = std::make_unique<frmMatrix>(program, prompt);
    auto document = std::make_shared<VRN_Matrix>();
    const double read = CpuSecondsOf([&] {
        std::int16_t file = 0;
        bool directions = false;
        document->OpenFile(generated.path.string(), file, "Input");
        document->Read(file, window.get(), directions, {&mainView, true, &messages});
        document->CloseFile(file);
    });
    double draw = 1e300;
    for (int i = 0; i < kDraws; ++i) {
        draw = std::min(draw, CpuSecondsOf([&] { document->Draw(1, 1); }));
    }
    window.reset();
    return {read, draw};
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

void ReadAndDrawInMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    const int scale = static_cast<int>(state.range(0));
    const GeneratedMatrixFile generated(ScaledShape(scale), "vrn-growth-bench");
    Figures figures{.cells = static_cast<double>(InteractionCount(generated.shape))};
    bool cold = true;
    for (auto _ : state) {
        const auto [read, draw] = ReadAndDraw(generated);
        (cold ? figures.coldReadSeconds : figures.readSeconds) = read;
        figures.drawSeconds = std::min(figures.drawSeconds, draw);
        cold = false;
    }
    measured()[scale] = figures;
    const auto here = measured().find(scale);
    SetCounters(state, figures, here == measured().begin() ? nullptr : &std::prev(here)->second);
    state.counters["file_MB"] = static_cast<double>(generated.bytes) / (1024.0 * 1024.0);
}
BENCHMARK(ReadAndDrawInMatrixWindow)
    ->ArgName("scale")
    ->Arg(1)
    ->Arg(10)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace vrn::bench
