// Painting matrix cells: the matrix window paints every practice and group cell of a layout on
// each redraw, so a large matrix's redraw must stay well inside a frame.
#include "bench/support/offscreen_application.h"
#include "bench/support/peak_memory.h"
#include "platform/cell_painter.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

QGuiApplication& application() {
    return vrn::bench::offscreenApplication();
}

// Cells of a practice's size at 96 dpi (2700 x 600 twips), half of them turned for columns.
void BM_PaintCells(benchmark::State& state) {
    application();
    const int cells = static_cast<int>(state.range(0));
    QImage canvas(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    const QPalette palette;
    vrn::CellLook look;
    look.backColor = QColor(0xC0, 0xFF, 0xFF);
    look.fontSize = 10;
    for (auto _ : state) {
        QPainter painter(&canvas);
        for (int i = 0; i < cells; ++i) {
            look.text = QStringLiteral("Practice %1 of the existing state").arg(i);
            look.cellOrientation = i % 2 == 0 ? vrn::CellLook::kAlong : vrn::CellLook::kTurned;
            const QRectF rect = look.cellOrientation == vrn::CellLook::kAlong
                                    ? QRectF((i % 10) * 180, (i / 10 % 25) * 40, 180, 40)
                                    : QRectF((i % 40) * 40, 0, 40, 180);
            vrn::paintCell(painter, rect, look, palette);
        }
        benchmark::DoNotOptimize(canvas.constBits());
    }
    state.SetItemsProcessed(state.iterations() * cells);
    state.counters["peak_MB"] = vrn::bench::peakMemoryMB();
}
BENCHMARK(BM_PaintCells)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
