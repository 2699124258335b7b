// Opening the large benchmark file (about 320,000 interactions) in the program and scrolling it.
// Goals: reading the file into a matrix window at most 1.3 times reading it without one (timed
// beside it); File > Open of the file, up to the first painted screen of its maximised window,
// under 3 seconds; scrolling that window down by a page and repainting it under 16 ms.
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/frm_main.h"
#include "bench/support/cpu_time.h"
#include "bench/support/large_matrix_file.h"
#include "bench/support/matrix_file_generator.h"
#include "bench/support/offscreen_application.h"
#include "bench/support/peak_memory.h"
#include "platform/testing/memory_settings_store.h"
#include "platform/testing/recording_program_starter.h"
#include "platform/testing/scripted_prompt.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace vrn::bench {
namespace {

constexpr QSize kScreen(1920, 1080);

LargeMatrixFile& largeFile() {
    static LargeMatrixFile file("vrn-open-bench");
    return file;
}

// The stand-alone program's main window on a full-HD screen, loaded with its first empty matrix.
struct Program {
    MemorySettingsStore settings;
    ScriptedPrompt prompt;
    RecordingProgramStarter starter;
    VrnMain state;
    frmMain main{state, {settings, prompt, starter}};

    Program() {
        state.Standalone = true;
        state.Main_Window = &main;
        main.resize(kScreen);
        main.Show();
        QApplication::processEvents();
    }

    // Opens the large file (or `path`) and paints its window maximised; the window it opened.
    frmMatrix& openLargeFile(const std::filesystem::path& path = largeFile().path) {
        main.openMatrixFile(QString::fromStdString(path.string()));
        frmMatrix& window = *main.activeMatrixWindow();
        main.activeChild()->showMaximized();
        paint(window);
        return window;
    }

    static void paint(frmMatrix& window) { window.canvas().grab(); }

    // Closes every window without asking about saving.
    void closeAll() {
        for (QMdiSubWindow* child : main.mdiArea().subWindowList()) {
            delete child;
        }
        QApplication::processEvents();
    }
};

// Reads the large file into a fresh document, shown in `window` (none: a document without a
// window); the CPU time it took.
double ReadLargeFile(MatrixWindow* window) {
    const LargeDocument& source = largeFile().document;
    auto document = std::make_shared<VRN_Matrix>();
    const double seconds = CpuSecondsOf([&] {
        std::int16_t file = 0;
        bool directions = false;
        document->OpenFile(largeFile().path.string(), file, "Input");
        document->Read(file, window, directions,
                       {source.mainView.get(), true, source.messages.get()});
        document->CloseFile(file);
    });
    benchmark::DoNotOptimize(document->Interactions.Count());
    return seconds;
}

// The read alone, into a matrix window, beside the same read without a window (the floor). CPU
// times: the median of the iterations, which the ratio compares, and the mean.
void ReadLargeFileIntoMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    largeFile();
    CpuTimes withWindow;
    CpuTimes without;
    for (auto _ : state) {
        without.Add(ReadLargeFile(nullptr));
        VrnMain program;
        ScriptedPrompt prompt;
        auto window = std::make_unique<frmMatrix>(program, prompt);
        withWindow.Add(ReadLargeFile(window.get()));
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["with_window_ms"] = withWindow.Median() * 1e3;
    state.counters["without_ms"] = without.Median() * 1e3;
    state.counters["x_without"] = withWindow.Median() / without.Median();
    state.counters["x_without_mean"] = withWindow.Mean() / without.Mean();
    state.counters["file_MB"] = static_cast<double>(largeFile().bytes) / (1024.0 * 1024.0);
}
BENCHMARK(ReadLargeFileIntoMatrixWindow)->Unit(benchmark::kMillisecond)->Iterations(9);

void OpenAndShowLargeFile(benchmark::State& state) {
    offscreenApplication();
    largeFile();
    double cells = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<Program>();
        state.ResumeTiming();
        frmMatrix& window = program->openLargeFile();
        state.PauseTiming();
        const CanvasCounts shown = window.canvasCounts();
        cells = shown.cells + shown.interactionCells;
        program->closeAll();
        program.reset();
        state.ResumeTiming();
    }
    state.counters["shown_cells"] = cells;
    state.counters["file_MB"] = static_cast<double>(largeFile().bytes) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMemoryMB();
}
BENCHMARK(OpenAndShowLargeFile)->Unit(benchmark::kMillisecond)->Iterations(2);

void ScrollByAPage(benchmark::State& state, const std::filesystem::path& path) {
    offscreenApplication();
    Program program;
    frmMatrix& window = program.openLargeFile(path);
    QScrollBar& bar = *window.VScroll();
    for (auto _ : state) {
        const int next = bar.value() + bar.pageStep();
        bar.setValue(next > bar.maximum() ? 0 : next);
        Program::paint(window);
    }
    state.counters["page_steps"] = bar.pageStep();
    state.counters["shown_cells"] = window.canvasCounts().interactionCells;
    program.closeAll();
}

void ScrollLargeFileByAPage(benchmark::State& state) {
    ScrollByAPage(state, largeFile().path);
}
BENCHMARK(ScrollLargeFileByAPage)->Unit(benchmark::kMillisecond);

// A window that shows two million interaction cells, all in the triangle of one state.
void ScrollPracticeGroupFileByAPage(benchmark::State& state) {
    const GeneratedMatrixFile file(PracticeGroupShape(), "vrn-open-bench-group");
    ScrollByAPage(state, file.path);
}
BENCHMARK(ScrollPracticeGroupFileByAPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vrn::bench
