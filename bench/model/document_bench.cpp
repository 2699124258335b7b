#include <benchmark/benchmark.h>

#include "bench/support/large_document.h"
#include "bench/support/peak_memory.h"
#include "model/vrn_state.h"

namespace vrn::bench {
namespace {

// Goal: well under 1 s and under 150 MB peak with the recording window. Registered first, so the
// process's peak is this document's.
void BuildLargeDocumentWithWindow(benchmark::State& state) {
    std::int64_t interactions = 0;
    for (auto _ : state) {
        LargeDocument document = BuildLargeDocument();
        interactions = CountInteractions(*document.matrix);
        state.PauseTiming();
        document = {};
        state.ResumeTiming();
    }
    state.counters["interactions"] = static_cast<double>(interactions);
    state.counters["peak_MB"] = peakMemoryMB();
}
BENCHMARK(BuildLargeDocumentWithWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

void BuildLargeDocumentWithoutWindow(benchmark::State& state) {
    LargeDocumentShape shape;
    shape.withWindow = false;
    for (auto _ : state) {
        LargeDocument document = BuildLargeDocument(shape);
        benchmark::DoNotOptimize(document.matrix.get());
        state.PauseTiming();
        document = {};
        state.ResumeTiming();
    }
}
BENCHMARK(BuildLargeDocumentWithoutWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// Deleting an alternative removes 60,000 interactions from lists of up to 200,000.
void DeleteAlternativeOfLargeDocument(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        LargeDocument document = BuildLargeDocument();
        state.ResumeTiming();
        document.matrix->delete_alternative();
        state.PauseTiming();
        document = {};
        state.ResumeTiming();
    }
}
BENCHMARK(DeleteAlternativeOfLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

void SortExistingPracticesOfLargeDocument(benchmark::State& state) {
    LargeDocument document = BuildLargeDocument();
    for (auto _ : state) {
        document.matrix->Existing()->SortPractices();
    }
}
BENCHMARK(SortExistingPracticesOfLargeDocument)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vrn::bench
