// Editing the large benchmark document (about 320,000 interactions) in its matrix window, each
// edit followed by what the command does after it. Goals: setting one interaction and painting
// a full-HD screenful within a frame (16 ms); adding a practice and redrawing under 150 ms;
// adding an alternative, switching to it and redrawing under a second.
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "bench/support/large_document.h"
#include "bench/support/offscreen_application.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"
#include "platform/testing/scripted_prompt.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace vrn::bench {
namespace {

// The large document laid out in a matrix window; the window goes before the document.
struct EditedWindow {
    VrnMain program;
    ScriptedPrompt prompt;
    std::unique_ptr<frmMatrix> window = std::make_unique<frmMatrix>(program, prompt);
    LargeDocument document;

    EditedWindow() {
        LargeDocumentShape shape;
        shape.window = window.get();
        document = BuildLargeDocument(shape);
        window->setBase(document.matrix);  // Redraw draws the window's own document
        document.matrix->Draw(1, 1);
        QApplication::processEvents();
    }
    ~EditedWindow() {
        window.reset();
        document = {};
    }
};

void SetOneInteractionAndPaintTheScreen(benchmark::State& state) {
    offscreenApplication();
    EditedWindow edited;
    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    edited.window->canvas().resize(screen.size());
    const auto interaction = edited.document.matrix->Interactions.Item(1);
    bool plus = false;
    for (auto _ : state) {
        plus = !plus;
        interaction->setValue(plus ? "+" : "-");
        QPainter painter(&screen);
        edited.window->canvas().render(&painter);
    }
}
BENCHMARK(SetOneInteractionAndPaintTheScreen)->Unit(benchmark::kMillisecond);

void AddPracticeAndRedraw(benchmark::State& state) {
    offscreenApplication();
    EditedWindow edited;
    const auto first = edited.document.matrix->Existing()->Practices.Item(1);
    for (auto _ : state) {
        const auto added = first->AddNewPractice("Added");
        edited.window->Redraw(false);
        state.PauseTiming();
        added->Delete();
        state.ResumeTiming();
    }
}
BENCHMARK(AddPracticeAndRedraw)->Unit(benchmark::kMillisecond)->Iterations(5);

void AddAlternativeAndRedraw(benchmark::State& state) {
    offscreenApplication();
    EditedWindow edited;
    VRN_Matrix& document = *edited.document.matrix;
    for (auto _ : state) {
        document.new_alternative("Added", false);
        document.use_alternative(true, document.Alt_count);
        edited.window->Redraw(false);
        state.PauseTiming();
        document.delete_alternative();
        state.ResumeTiming();
    }
}
BENCHMARK(AddAlternativeAndRedraw)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace vrn::bench
