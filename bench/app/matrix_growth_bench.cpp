// How reading a matrix file into its window and laying it out grow with the document: the large
// benchmark document grown 1, 10 and 30 times in bytes and cells (a 100 times larger one, 5.5 GB
// of file and several GB of memory, does not fit beside the other work of this machine). Goal:
// both grow linearly, so that each cell costs at 30 times at most 1.2 times what it costs at 10
// times (100 times at most 12 times 10 times). Each row prints the CPU time per cell and, from
// the second scale on, the time and the time per cell against the scale before it, measured
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
#include <map>

namespace vrn::bench {
namespace {

// Layouts timed per scale; the best counts.
constexpr int kDraws = 3;

struct Figures {
    double readSeconds = 0;
    double drawSeconds = 0;
    double cells = 0;
};

// What each scale measured, for the rows of the scales after it.
std::map<int, Figures>& measured() {
    static std::map<int, Figures> figures;
    return figures;
}

void ReadAndDrawInMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    const int scale = static_cast<int>(state.range(0));
    const LargeDocumentShape shape = ScaledShape(scale);
    GeneratedMatrixFile generated(shape, "vrn-growth-bench");
    testing::RecordingMainView mainView;
    testing::ScriptedMessages messages;
    Figures figures{.cells = static_cast<double>(InteractionCount(shape))};
    for (auto _ : state) {
        VrnMain program;
        ScriptedPrompt prompt;
        auto window = std::make_unique<frmMatrix>(program, prompt);
        auto document = std::make_shared<VRN_Matrix>();
        figures.readSeconds = CpuSecondsOf([&] {
            std::int16_t file = 0;
            bool directions = false;
            document->OpenFile(generated.path.string(), file, "Input");
            document->Read(file, window.get(), directions, {&mainView, true, &messages});
            document->CloseFile(file);
        });
        figures.drawSeconds = 1e300;
        for (int i = 0; i < kDraws; ++i) {
            figures.drawSeconds =
                std::min(figures.drawSeconds, CpuSecondsOf([&] { document->Draw(1, 1); }));
        }
        state.PauseTiming();
        window.reset();
        document.reset();
        state.ResumeTiming();
    }
    measured()[scale] = figures;
    state.counters["file_MB"] = static_cast<double>(generated.bytes) / (1024.0 * 1024.0);
    state.counters["cells"] = figures.cells;
    state.counters["read_s"] = figures.readSeconds;
    state.counters["draw_ms"] = figures.drawSeconds * 1e3;
    state.counters["read_ns_per_cell"] = figures.readSeconds / figures.cells * 1e9;
    state.counters["draw_ns_per_cell"] = figures.drawSeconds / figures.cells * 1e9;
    const auto before = measured().find(scale);
    if (before != measured().begin()) {
        const Figures& previous = std::prev(before)->second;
        const double cellRatio = figures.cells / previous.cells;
        state.counters["read_x_prev"] = figures.readSeconds / previous.readSeconds;
        state.counters["draw_x_prev"] = figures.drawSeconds / previous.drawSeconds;
        state.counters["read_per_cell_x_prev"] =
            figures.readSeconds / previous.readSeconds / cellRatio;
        state.counters["draw_per_cell_x_prev"] =
            figures.drawSeconds / previous.drawSeconds / cellRatio;
    }
    state.counters["peak_MB"] = peakMemoryMB();
}
BENCHMARK(ReadAndDrawInMatrixWindow)
    ->ArgName("scale")
    ->Arg(1)
    ->Arg(10)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace vrn::bench
