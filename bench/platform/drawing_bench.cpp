#include <benchmark/benchmark.h>

#include "bench/support/large_document.h"
#include "platform/drawing_svg_page.h"
#include "platform/drawing_template.h"
#include "platform/svg_writer.h"
#include "tests/support/model_doubles/window_design.h"

namespace vrn::bench {
namespace {

const std::filesystem::path kTemplates = VRN_DRAWING_TEMPLATE_DIR;

// Goal: under 2 s to draw the large document's active alternative (about 80,000 interaction
// cells) and render it as SVG.
void DrawLargeDocumentAsSvg(benchmark::State& state) {
    LargeDocument document = BuildLargeDocument();
    document.matrix->Draw(1, 1);
    testing::DesignLikeTheMatrixWindow(*document.window);
    document.matrix->Draw(1, 1);
    const DrawingTemplate layout = ReadDrawingTemplate(kTemplates / kDrawingTemplateFile);
    const auto stencil = DrawingStencilFile::Open(kTemplates / kDrawingStencilFile);
    std::size_t shapes = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        SvgDrawingPage page(layout);
        document.matrix->ReportVisio(page, stencil.get(), stencil->Masters(), false);
        const std::string svg = SvgDocument(page);
        shapes = page.shapeCount();
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["shapes"] = static_cast<double>(shapes);
    state.counters["svg_megabytes"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(DrawLargeDocumentAsSvg)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vrn::bench
