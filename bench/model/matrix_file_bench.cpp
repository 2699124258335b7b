#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "bench/support/cpu_time.h"
#include "bench/support/large_document.h"
#include "bench/support/large_matrix_file.h"
#include "bench/support/line_pass.h"
#include "bench/support/peak_memory.h"
#include "model/file/byte_sink.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_state.h"

// Writing and reading the large document as a matrix file. Goals: writing at least 200 MB/s;
// reading at most 3 times the plainest read of the same file, line by line with std::getline,
// which is timed beside it.

namespace vrn::bench {
namespace {

constexpr double kMB = 1024.0 * 1024.0;

// The large document and its file, made once for every benchmark here.
LargeMatrixFile& Large() {
    static LargeMatrixFile large("vrn-file-bench");
    return large;
}

void SetThroughput(benchmark::State& state, std::int64_t bytesPerIteration) {
    state.SetBytesProcessed(state.iterations() * bytesPerIteration);
    state.counters["file_MB"] = static_cast<double>(bytesPerIteration) / kMB;
    state.counters["MB_per_s"] = benchmark::Counter(static_cast<double>(bytesPerIteration) / kMB,
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

// Takes the bytes and keeps only their count.
class CountingSink : public ByteSink {
public:
    void Write(std::string_view bytes) override {
        count += static_cast<std::int64_t>(bytes.size());
    }
    std::int64_t count = 0;
};

// Making the records, without the file system.
void WriteLargeDocument(benchmark::State& state) {
    auto& large = Large();
    for (auto _ : state) {
        CountingSink sink;
        TaggedRecordWriter writer(sink);
        large.document.matrix->Save(writer, false);
        writer.Flush();
        benchmark::DoNotOptimize(sink.count);
    }
    SetThroughput(state, large.bytes);
}
BENCHMARK(WriteLargeDocument)->Unit(benchmark::kMillisecond);

// A whole save: temporary file, flush to disk, rename.
void SaveLargeDocument(benchmark::State& state) {
    auto& large = Large();
    for (auto _ : state) {
        std::int16_t file = 0;
        large.document.matrix->OpenFile(large.path.string(), file, "Output");
        large.document.matrix->Save(file, false);
        large.document.matrix->CloseFile(file);
    }
    SetThroughput(state, large.bytes);
}
BENCHMARK(SaveLargeDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void ReadLargeFileLineByLine(benchmark::State& state) {
    auto& large = Large();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadLines(large.path));
    }
    SetThroughput(state, large.bytes);
}
BENCHMARK(ReadLargeFileLineByLine)->Unit(benchmark::kMillisecond);

// File > Open without a window (the document a report or a script reads), beside the floor: a
// getline pass over the same file, timed in the same iterations. Goal: at most 3 times the floor.
// CPU times: the median of the iterations, which the ratio compares, and the mean; the first
// read, which also pays for memory the process has not had before, is printed apart too.
void ReadLargeDocument(benchmark::State& state) {
    auto& large = Large();
    CpuTimes reads;
    CpuTimes floors;
    std::int64_t interactions = 0;
    for (auto _ : state) {
        floors.Add(CpuSecondsOf([&] { ReadLines(large.path); }));
        auto document = std::make_shared<VRN_Matrix>();
        reads.Add(CpuSecondsOf([&] {
            std::int16_t file = 0;
            bool directions = false;
            document->OpenFile(large.path.string(), file, "Input");
            document->Read(file, nullptr, directions,
                           {large.document.mainView.get(), true, large.document.messages.get()});
            document->CloseFile(file);
        }));
        state.PauseTiming();
        interactions = CountInteractions(*document);
        document.reset();
        state.ResumeTiming();
    }
    SetThroughput(state, large.bytes);
    state.counters["read_ms"] = reads.Median() * 1e3;
    state.counters["mean_read_ms"] = reads.Mean() * 1e3;
    state.counters["first_read_ms"] = reads.First() * 1e3;
    state.counters["getline_ms"] = floors.Median() * 1e3;
    state.counters["x_getline"] = reads.Median() / floors.Median();
    state.counters["x_getline_mean"] = reads.Mean() / floors.Mean();
    state.counters["interactions"] = static_cast<double>(interactions);
    state.counters["peak_MB"] = peakMemoryMB();
}
BENCHMARK(ReadLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace vrn::bench
