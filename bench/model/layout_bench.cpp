#include <benchmark/benchmark.h>

#include "bench/support/large_document.h"
#include "model/vrn_state.h"

namespace vrn::bench {
namespace {

// How many interaction cells the active alternative shows: within the existing state, within
// the alternative, and across (about 80,000 for the default shape).
std::int64_t ShownInteractionCells(VRN_Matrix& matrix) {
    const auto& alternative = *matrix.alternative();
    return matrix.Existing()->Interactions.Count() + alternative.Interactions.Count() +
           std::int64_t{matrix.Existing()->Practices.Count()} * alternative.Practices.Count();
}

std::int64_t ControlsHandedOut(const testing::RecordingMatrixWindow& window) {
    return static_cast<std::int64_t>(window.cells().size() + window.interactionCells().size() +
                                     window.lines().size());
}

// Goal: under 100 ms for a full Draw; the second and later Draws make no new controls
// (new_controls stays 0).
void DrawLargeDocument(benchmark::State& state) {
    LargeDocument document = BuildLargeDocument();
    document.matrix->Draw(1, 1);  // the first layout fills the line pools
    const std::int64_t controls = ControlsHandedOut(*document.window);
    for (auto _ : state) {
        document.matrix->Draw(1, 1);
    }
    state.counters["interaction_cells"] =
        static_cast<double>(ShownInteractionCells(*document.matrix));
    state.counters["new_controls"] =
        static_cast<double>(ControlsHandedOut(*document.window) - controls);
}
BENCHMARK(DrawLargeDocument)->Unit(benchmark::kMillisecond);

// Goal: under 20 ms for one scroll step.
void MoveLargeDocument(benchmark::State& state) {
    LargeDocument document = BuildLargeDocument();
    document.matrix->Draw(1, 1);
    float step = -500;
    for (auto _ : state) {
        document.matrix->MoveBy(0, step);
        step = -step;
    }
}
BENCHMARK(MoveLargeDocument)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vrn::bench
