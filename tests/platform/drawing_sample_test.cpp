// The sample matrix drawn as the program draws it, then opened by the programs people use.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "model/vrn_matrix.h"
#include "platform/drawing_svg_page.h"
#include "platform/drawing_template.h"
#include "platform/svg_font_metrics.h"
#include "tests/support/child_process.h"
#include "tests/support/model_doubles/recording_main_view.h"
#include "tests/support/model_doubles/recording_matrix_window.h"
#include "tests/support/model_doubles/scripted_messages.h"
#include "tests/support/model_doubles/window_design.h"

namespace vrn {
namespace {

const std::filesystem::path kTemplates = VRN_DRAWING_TEMPLATE_DIR;
const std::filesystem::path kSample = VRN_SAMPLE_MATRIX;

class SampleDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        document = std::make_shared<VRN_Matrix>();
        std::filebuf source;
        ASSERT_NE(source.open(kSample, std::ios::in | std::ios::binary), nullptr);
        bool directions = false;
        document->Read(source, kSample.string(), &window, directions, {&mainView, true, &messages});
        document->Draw(1, 1);
        testing::DesignLikeTheMatrixWindow(window);
        document->Draw(1, 1);
    }

    std::filesystem::path Folder() const { return dir.path().toStdString(); }

    testing::RecordingMatrixWindow window;
    testing::RecordingMainView mainView;
    testing::ScriptedMessages messages;
    std::shared_ptr<VRN_Matrix> document;
    QTemporaryDir dir;
};

TEST_F(SampleDrawingTest, RendersToAPictureAndParsesAsSvgAndHtml) {
    for (const char* tool : {"rsvg-convert", "xmllint"}) {
        if (!testing::ProgramOnPath(tool)) {
            GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
        }
    }
    const DrawingTemplate layout = ReadDrawingTemplate(kTemplates / kDrawingTemplateFile);
    SvgDrawingPage page(layout, std::make_shared<SvgFontMetrics>(layout.font));
    auto stencil = DrawingStencilFile::Open(kTemplates / kDrawingStencilFile);
    document->ReportVisio(page, stencil.get(), stencil->Masters(), false);

    const auto svg = Folder() / "sample.svg";
    const auto html = Folder() / "sample.html";
    const auto png = Folder() / "sample.png";
    page.SaveSvg(svg);
    page.Export(html.string());
    EXPECT_EQ(testing::ChildProcess({"xmllint", "--noout", svg.string()}).wait().exitStatus, 0);
    EXPECT_EQ(testing::ChildProcess({"xmllint", "--noout", html.string()}).wait().exitStatus, 0);
    testing::ChildProcess render({"rsvg-convert", "--format=png", "--background-color=white",
                                  "--output", png.string(), svg.string()});
    ASSERT_EQ(render.wait().exitStatus, 0);

    QImage picture(QString::fromStdString(png.string()));
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 300);
    EXPECT_GT(picture.height(), 300);
    qint64 dark = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            dark += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    // Outlines, grid lines and text cover a few percent of the page, not nothing and not all.
    const double share = static_cast<double>(dark) / (picture.width() * picture.height());
    EXPECT_GT(share, 0.005);
    EXPECT_LT(share, 0.5);
}

// The ink of `picture`'s dark pixels: its leftmost and rightmost columns.
std::pair<int, int> InkColumns(const QImage& picture) {
    int left = picture.width();
    int right = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

// The drawing places its text by the measures of the font its SVG names; rsvg-convert must draw
// that font, at the width measured.
TEST(DrawingFontTest, TextIsDrawnAsWideAsItWasMeasured) {
    if (!testing::ProgramOnPath("rsvg-convert")) {
        GTEST_SKIP() << "rsvg-convert is not installed (scripts/setup.sh installs librsvg2-bin)";
    }
    const DrawingTemplate layout = ReadDrawingTemplate(kTemplates / kDrawingTemplateFile);
    const SvgFontMetrics metrics(layout.font);
    EXPECT_EQ(metrics.family().toStdString(), layout.font.substr(0, layout.font.find(',')))
        << "the first font the drawing names is not installed (fonts-dejavu-core has it)";

    const std::string line = "Cross-functional teams responsible for a product family (WMW iii)";
    constexpr double kPoints = 8;
    constexpr int kScale = 10;  // pixels per point
    const double measured = metrics.Width(line, kPoints);
    QTemporaryDir dir;
    const std::filesystem::path svg = dir.path().toStdString() + "/line.svg";
    const std::filesystem::path png = dir.path().toStdString() + "/line.png";
    std::ofstream(svg) << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kScale * 400
                       << "\" height=\"" << kScale * 20
                       << "\" viewBox=\"0 0 400 20\" font-family=\"" << layout.font
                       << "\"><text x=\"10\" y=\"12\" font-size=\"" << kPoints << "\">" << line
                       << "</text></svg>";
    testing::ChildProcess render({"rsvg-convert", "--format=png", "--background-color=white",
                                  "--output", png.string(), svg.string()});
    ASSERT_EQ(render.wait().exitStatus, 0);
    const auto [left, right] = InkColumns(QImage(QString::fromStdString(png.string())));
    ASSERT_LT(left, right);
    // The ink starts a glyph's side bearing after the pen and ends one before the advance, less
    // than a point each at this size; another font would be tens of points off.
    const double ink = static_cast<double>(right - left + 1) / kScale;
    EXPECT_LE(ink, measured);
    EXPECT_GE(ink, measured - 2.0) << "drawn " << ink << " points, measured " << measured;
}

}  // namespace
}  // namespace vrn
