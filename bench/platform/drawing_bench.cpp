#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "bench/support/large_document.h"
#include "bench/support/offscreen_application.h"
#include "model/reports/drawing_cells.h"
#include "platform/drawing_svg_page.h"
#include "platform/drawing_template.h"
#include "platform/svg_font_metrics.h"
#include "platform/svg_writer.h"
#include "tests/support/model_doubles/window_design.h"

namespace vrn::bench {
namespace {

const std::filesystem::path kTemplates = VRN_DRAWING_TEMPLATE_DIR;

// The large document laid out on its window, with the drawing's template and stencil.
struct DrawingInput {
    DrawingInput() : document(BuildLargeDocument()) {
        offscreenApplication();
        document.matrix->Draw(1, 1);
        testing::DesignLikeTheMatrixWindow(*document.window);
        document.matrix->Draw(1, 1);
    }
    LargeDocument document;
    DrawingTemplate layout = ReadDrawingTemplate(kTemplates / kDrawingTemplateFile);
    std::unique_ptr<DrawingStencilFile> stencil =
        DrawingStencilFile::Open(kTemplates / kDrawingStencilFile);
    std::shared_ptr<SvgFontMetrics> measure = std::make_shared<SvgFontMetrics>(layout.font);
};

DrawingInput& Input() {
    static DrawingInput input;
    return input;
}

// Goal: under 2 s to draw the large document's active alternative (about 80,000 interaction
// cells) and render it as SVG, every text measured and laid out in its shape.
void DrawLargeDocumentAsSvg(benchmark::State& state) {
    DrawingInput& input = Input();
    std::size_t shapes = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        SvgDrawingPage page(input.layout, input.measure);
        input.document.matrix->ReportVisio(page, input.stencil.get(), input.stencil->Masters(),
                                           false);
        const std::string svg = SvgDocument(page);
        shapes = page.shapeCount();
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["shapes"] = static_cast<double>(shapes);
    state.counters["svg_megabytes"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(DrawLargeDocumentAsSvg)->Unit(benchmark::kMillisecond);

// The floor: the same shapes, already placed, written plainly as rectangles with their text on
// one line, nothing measured.
void FloorWriteTheSameShapesPlainly(benchmark::State& state) {
    DrawingInput& input = Input();
    SvgDrawingPage page(input.layout, input.measure);
    input.document.matrix->ReportVisio(page, input.stencil.get(), input.stencil->Masters(), false);
    const std::vector<const SvgShape*> shapes = page.paintingOrder();
    for (auto _ : state) {
        std::ostringstream svg;
        svg << "<svg xmlns=\"http://www.w3.org/2000/svg\">\n";
        for (const SvgShape* shape : shapes) {
            svg << "<g transform=\"translate(" << shape->Cell(cells::PinX) * 72 << ' '
                << shape->Cell(cells::PinY) * -72 << ") rotate(" << shape->Cell(cells::Angle)
                << ")\"><rect width=\"" << shape->Cell(cells::Width) * 72 << "\" height=\""
                << shape->Cell(cells::Height) * 72 << "\"/><text>" << shape->text()
                << "</text></g>\n";
        }
        svg << "</svg>\n";
        benchmark::DoNotOptimize(svg.str().data());
    }
}
BENCHMARK(FloorWriteTheSameShapesPlainly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vrn::bench
