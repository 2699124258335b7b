// The matrix window hands the model a control per cell, interaction and line, and puts an item on
// its scene for each control the layout shows. Goals for the large benchmark document (about
// 320,000 interactions): it builds against the real window in under a second and 250 MB peak;
// laying out one alternative (40,000 cells) takes under a second; a screenful paints within a
// frame (16 ms); a laid-out window closes in under half a second.
#include "app/matrixwin/frm_matrix.h"
#include "app/shell/vrn_main.h"
#include "bench/support/large_document.h"
#include "bench/support/peak_memory.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>

#include "model/vrn_matrix_interaction.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace vrn::bench {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "matrix_window_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

// Places every cell of the existing state and the first alternative on a grid and shows it, as a
// layout of that alternative does: about 40,000 interaction cells and 400 practice cells.
void layOutFirstAlternative(VRN_Matrix& document) {
    constexpr float kCell = 300;
    constexpr float kHeader = 2700;
    const auto target = document.alternative(1);
    int row = 0;
    for (const auto& practice : document.Existing()->Practices) {
        practice->Display->setLeft(0);
        practice->Display->setTop(kHeader + kCell * static_cast<float>(row++));
        practice->Display->setWidth(kHeader);
        practice->Display->setHeight(kCell);
        practice->Display->setVisible(true);
    }
    int column = 0;
    for (const auto& practice : target->Practices) {
        practice->Display->setLeft(kHeader + kCell * static_cast<float>(column++));
        practice->Display->setTop(0);
        practice->Display->setWidth(kCell);
        practice->Display->setHeight(kHeader);
        practice->Display->setCellOrientation(3);
        practice->Display->setVisible(true);
    }
    for (const auto& interaction : document.Interactions) {
        auto existing = interaction->Practice1.lock();
        auto other = interaction->practice2.lock();
        if (existing && existing->state() == target) {
            std::swap(existing, other);
        }
        if (!existing || !other || other->state() != target) {
            continue;
        }
        interaction->Display->setLeft(other->Display->left());
        interaction->Display->setTop(existing->Display->top());
        interaction->Display->setWidth(kCell);
        interaction->Display->setHeight(kCell);
        interaction->Display->setVisible(true);
    }
}

// A matrix window with the large document built in it, as the program leaves it after building:
// with the events the build posted handled. Closes the window before the document goes.
struct WindowWithDocument {
    VrnMain program;
    std::unique_ptr<frmMatrix> window = std::make_unique<frmMatrix>(program);
    LargeDocument document;

    explicit WindowWithDocument(bool laidOut) {
        LargeDocumentShape shape;
        shape.window = window.get();
        document = BuildLargeDocument(shape);
        if (laidOut) {
            layOutFirstAlternative(*document.matrix);
        }
        QApplication::processEvents();
    }
    ~WindowWithDocument() {
        window.reset();
        document = {};
    }
    double sceneItems() const {
        return window != nullptr ? static_cast<double>(window->scene().items().size()) : 0;
    }
};

// Registered first, so the process's peak is this document's.
void BuildLargeDocumentInMatrixWindow(benchmark::State& state) {
    application();
    double items = 0;
    for (auto _ : state) {
        auto built = std::make_unique<WindowWithDocument>(false);
        state.PauseTiming();
        items = built->sceneItems();
        built.reset();
        state.ResumeTiming();
    }
    state.counters["scene_items"] = items;
    state.counters["peak_MB"] = peakMemoryMB();
}
BENCHMARK(BuildLargeDocumentInMatrixWindow)->Unit(benchmark::kMillisecond)->Iterations(2);

void LayOutFirstAlternativeOfLargeDocument(benchmark::State& state) {
    application();
    double items = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto built = std::make_unique<WindowWithDocument>(false);
        state.ResumeTiming();
        layOutFirstAlternative(*built->document.matrix);
        state.PauseTiming();
        items = built->sceneItems();
        built.reset();
        state.ResumeTiming();
    }
    state.counters["scene_items"] = items;
}
BENCHMARK(LayOutFirstAlternativeOfLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(2);

// Closing the window, before and after a layout has put items on its scene.
void CloseMatrixWindowOfLargeDocument(benchmark::State& state) {
    application();
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

// One full-HD screenful of the laid-out scene, as a redraw paints it.
void PaintScreenOfLaidOutMatrixWindow(benchmark::State& state) {
    application();
    WindowWithDocument built(true);
    QImage canvas(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&canvas);
        built.window->scene().render(&painter, QRectF(canvas.rect()), QRectF(canvas.rect()));
    }
}
BENCHMARK(PaintScreenOfLaidOutMatrixWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vrn::bench
