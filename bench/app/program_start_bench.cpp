// Starting the program as a user does, offscreen, with a matrix file on its command line, up to
// the picture of its first painted matrix window; beside it the floor, the program started
// without a file. The program runs as a child process with a fresh settings store and saves its
// picture (the screenshot switch); it is stopped once it has said what its matrix window draws,
// and its CPU time, its resident memory then and its peak are taken from the system. Goals:
// the large benchmark document (about 55 MB) opens in under 0.8 s of CPU and a file with 2,000
// practices in one group (about 340 MB) in under 5 s; with either file open the program takes at
// most twice the file's size in memory above the empty program.
#include "bench/support/large_matrix_file.h"
#include "bench/support/matrix_file_generator.h"
#include "bench/support/scratch_folder.h"
#include "tests/support/child_process.h"

#include <benchmark/benchmark.h>
#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vrn::bench {
namespace {

namespace fs = std::filesystem;

constexpr double kMB = 1024.0 * 1024.0;
// A run that has not drawn its matrix by then is stuck.
constexpr auto kLongestRun = std::chrono::seconds(180);

struct ProgramRun {
    double cpuSeconds = 0;
    double rssMB = 0;  // resident when it had drawn its matrix
    double peakMB = 0;
    std::string report;  // what the program said about its matrix window
};

// A folder of the benchmark's own holding the settings store and the picture.
class RunFolder : public ScratchFolder {
public:
    RunFolder() : ScratchFolder("vrn-start-bench") {}

    // A fresh settings store that places the main window at 1200 by 900 pixels.
    void freshSettings() const {
        fs::remove_all(path() / "config");
        fs::create_directories(path() / "config");
        std::ofstream(path() / "config" / "Vrn.conf") << "[VRNSettings]\nMainLeft=0\nMainTop=0\n"
                                                         "MainWidth=18000\nMainHeight=13500\n";
    }
};

testing::ChildOptions ChildOptions(const RunFolder& folder) {
    const std::string folderPath = folder.path().string();
    return {.captureOutput = true,
            .quietErrors = true,
            .settings = {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + folderPath + "/config",
                         "XDG_RUNTIME_DIR=" + folderPath,
                         "VRN_SCREENSHOT=" + folderPath + "/picture.png", "VRN_SKIP_SPLASH_WAIT=1",
                         "VRN_ACCEPT_NOTICE=1"}};
}

// Reads the child's output until it reports its matrix window; false when it ends or stalls first.
bool AwaitMatrixReport(testing::ChildProcess& child, std::string& report) {
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + kLongestRun;
    while (steady_clock::now() < deadline) {
        const std::optional<std::string> line = child.readLine(
            std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now()));
        if (!line) {
            return false;
        }
        if (line->starts_with("matrix window ")) {
            report = *line;
            return true;
        }
    }
    return false;
}

// A figure of the system's status of process `pid`, in megabytes: "VmRSS" (resident now) or
// "VmHWM" (the peak since it started the program; the peak that wait4 tells also counts the
// benchmark's own memory, which a spawned process shares until it starts the program).
double StatusMB(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field + ":")) {
            return std::stod(line.substr(field.size() + 1)) / 1024.0;  // in kB
        }
    }
    return 0;
}

ProgramRun RunProgram(const RunFolder& folder, const std::optional<fs::path>& file) {
    folder.freshSettings();
    std::vector<std::string> arguments{VRN_PROGRAM_PATH};
    if (file) {
        arguments.push_back(file->string());
    }
    testing::ChildProcess child(arguments, ChildOptions(folder));
    ProgramRun run;
    const bool reported = AwaitMatrixReport(child, run.report);
    run.rssMB = StatusMB(child.pid(), "VmRSS");
    run.peakMB = StatusMB(child.pid(), "VmHWM");
    // Stopped at once: what it would do after its first picture (a second picture, closing) is
    // not part of opening.
    run.cpuSeconds = child.kill().cpuSeconds;
    if (!reported) {
        throw std::runtime_error("the program ended or stalled before it drew its matrix window");
    }
    return run;
}

// Keeps the least CPU time and the least memory of the runs so far, and the last report.
void KeepBest(ProgramRun& best, const ProgramRun& run, bool first) {
    best.cpuSeconds = first ? run.cpuSeconds : std::min(best.cpuSeconds, run.cpuSeconds);
    best.rssMB = first ? run.rssMB : std::min(best.rssMB, run.rssMB);
    best.peakMB = first ? run.peakMB : std::min(best.peakMB, run.peakMB);
    best.report = run.report;
}

// Each iteration starts the empty program and then the program with the file; the rows print
// the best of each.
void StartProgramWithFile(benchmark::State& state, const fs::path& path, std::int64_t bytes) {
    RunFolder folder;
    ProgramRun empty;
    ProgramRun opened;
    bool first = true;
    for (auto _ : state) {
        try {
            const ProgramRun emptyRun = RunProgram(folder, std::nullopt);
            const ProgramRun openedRun = RunProgram(folder, path);
            KeepBest(empty, emptyRun, first);
            KeepBest(opened, openedRun, first);
            first = false;
            state.SetIterationTime(openedRun.cpuSeconds);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            return;
        }
    }
    const double fileMB = static_cast<double>(bytes) / kMB;
    state.counters["file_MB"] = fileMB;
    state.counters["cpu_s"] = opened.cpuSeconds;
    state.counters["empty_cpu_s"] = empty.cpuSeconds;
    state.counters["rss_MB"] = opened.rssMB;
    state.counters["empty_rss_MB"] = empty.rssMB;
    state.counters["rss_x_file"] = (opened.rssMB - empty.rssMB) / fileMB;
    state.counters["peak_MB"] = opened.peakMB;
    state.counters["empty_peak_MB"] = empty.peakMB;
    state.counters["peak_x_file"] = (opened.peakMB - empty.peakMB) / fileMB;
    state.SetLabel(opened.report.substr(opened.report.rfind(": ") + 2));
}

// The large benchmark document, built and written by the model.
void StartProgramWithLargeFile(benchmark::State& state) {
    const LargeMatrixFile large("vrn-start-bench-file");
    StartProgramWithFile(state, large.path, large.bytes);
}
BENCHMARK(StartProgramWithLargeFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void StartProgramWithPracticeGroupFile(benchmark::State& state) {
    const GeneratedMatrixFile generated(PracticeGroupShape(), "vrn-start-bench-file");
    StartProgramWithFile(state, generated.path, generated.bytes);
}
BENCHMARK(StartProgramWithPracticeGroupFile)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace vrn::bench
