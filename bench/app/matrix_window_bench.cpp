// The matrix window hands the model a control per cell, interaction and line, and its canvas
// paints each control the layout shows. Goals for the large benchmark document (about
// 320,000 interactions): it builds against the real window in under a second and 250 MB peak;
// a layout of one alternative (80,000 interaction cells shown) takes under 100 ms; a screenful
// paints within a frame (16 ms); a laid-out window closes in under half a second. A title of
// 20,000 characters paints its frame in a few milliseconds, laid out anew or not.
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/scene_fixed_control.h"
#include "app/matrixwin/vrn_main.h"
#include "bench/support/large_document.h"
#include "bench/support/offscreen_application.h"
#include "bench/support/peak_memory.h"
#include "model/vrn_matrix.h"
#include "platform/testing/scripted_prompt.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace vrn::bench {
namespace {

// A matrix window with the large document built in it, as the program leaves it after building:
// with the events the build posted handled. Closes the window before the document goes.
struct WindowWithDocument {
    VrnMain program;
    ScriptedPrompt prompt;
    std::unique_ptr<frmMatrix> window = std::make_unique<frmMatrix>(program, prompt);
    LargeDocument document;

    explicit WindowWithDocument(bool laidOut) {
        LargeDocumentShape shape;
        shape.window = window.get();
        document = BuildLargeDocument(shape);
        if (laidOut) {
            document.matrix->Draw(1, 1);
        }
        QApplication::processEvents();
    }
    ~WindowWithDocument() {
        window.reset();
        document = {};
    }
    double drawnControls() const {
        const CanvasCounts drawn = window->canvasCounts();
        return drawn.cells + drawn.interactionCells + drawn.lines;
    }
};

// Registered first, so the process's peak is this document's.
void BuildLargeDocumentInMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    for (auto _ : state) {
        auto built = std::make_unique<WindowWithDocument>(false);
        state.PauseTiming();
        built.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMemoryMB();
}
BENCHMARK(BuildLargeDocumentInMatrixWindow)->Unit(benchmark::kMillisecond)->Iterations(2);

void DrawLargeDocumentInMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    WindowWithDocument built(true);
    for (auto _ : state) {
        built.document.matrix->Draw(1, 1);
    }
    state.counters["drawn_controls"] = built.drawnControls();
}
BENCHMARK(DrawLargeDocumentInMatrixWindow)->Unit(benchmark::kMillisecond);

// Closing the window, before and after a layout has shown its controls.
void CloseMatrixWindowOfLargeDocument(benchmark::State& state) {
    offscreenApplication();
    for (auto _ : state) {
        state.PauseTiming();
        auto built = std::make_unique<WindowWithDocument>(state.range(0) != 0);
        state.ResumeTiming();
        built->window.reset();
        state.PauseTiming();
        built.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(CloseMatrixWindowOfLargeDocument)
    ->ArgName("laid_out")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// One full-HD screenful of the laid-out window, as a redraw paints it.
void PaintScreenOfLaidOutMatrixWindow(benchmark::State& state) {
    offscreenApplication();
    WindowWithDocument built(true);
    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    built.window->canvas().resize(screen.size());
    for (auto _ : state) {
        QPainter painter(&screen);
        built.window->canvas().render(&painter);
    }
}
BENCHMARK(PaintScreenOfLaidOutMatrixWindow)->Unit(benchmark::kMillisecond);

// The title frame with a title of `range(0)` characters, painted as a redraw paints it; with
// `range(1)` the title changes before each paint, so that its caption is laid out anew. The title
// of 100 characters is the floor.
void PaintTitleFrame(benchmark::State& state) {
    offscreenApplication();
    WindowWithDocument built(true);
    const auto length = static_cast<qsizetype>(state.range(0));
    const QString words = QStringLiteral("Moving the whole organisation to lean operation ");
    const std::string titles[] = {
        words.repeated(length / words.size() + 1).left(length).toStdString(),
        QString(words)
            .replace(u'M', u'L')
            .repeated(length / words.size() + 1)
            .left(length)
            .toStdString()};
    WindowControl& title = built.window->FrameDescription();
    title.setText(titles[0]);
    const auto& frame = dynamic_cast<const SceneFixedControl&>(title);
    QImage picture(frame.paintRect().size().toSize(), QImage::Format_ARGB32_Premultiplied);
    std::size_t next = 0;
    for (auto _ : state) {
        if (state.range(1) != 0) {
            next = 1 - next;
            title.setText(titles[next]);
        }
        QPainter painter(&picture);
        frame.paint(painter, frame.paintRect());
    }
    state.counters["caption_lines"] = static_cast<double>(frame.captionLines().size());
    state.counters["frame_width"] = frame.paintRect().width();
}
BENCHMARK(PaintTitleFrame)
    ->ArgNames({"title_length", "changed"})
    ->ArgsProduct({{100, 2000, 20000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vrn::bench
