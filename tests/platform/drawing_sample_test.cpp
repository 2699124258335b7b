// The sample matrix drawn as the program draws it, then opened by the programs people use.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "model/vrn_matrix.h"
#include "platform/drawing_svg_page.h"
#include "platform/drawing_template.h"
#include "tests/platform/external_program.h"
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
        if (!testing::ProgramAvailable(tool)) {
            GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
        }
    }
    SvgDrawingPage page(ReadDrawingTemplate(kTemplates / kDrawingTemplateFile));
    auto stencil = DrawingStencilFile::Open(kTemplates / kDrawingStencilFile);
    document->ReportVisio(page, stencil.get(), stencil->Masters(), false);

    const auto svg = Folder() / "sample.svg";
    const auto html = Folder() / "sample.html";
    const auto png = Folder() / "sample.png";
    page.SaveSvg(svg);
    page.Export(html.string());
    EXPECT_EQ(testing::RunProgram({"xmllint", "--noout", svg.string()}), 0);
    EXPECT_EQ(testing::RunProgram({"xmllint", "--noout", html.string()}), 0);
    ASSERT_EQ(testing::RunProgram({"rsvg-convert", "--format=png", "--background-color=white",
                                   "--output", png.string(), svg.string()}),
              0);

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

    if (const char* keep = std::getenv("VRN_DRAWING_PNG"); keep != nullptr && *keep != '\0') {
        std::filesystem::create_directories(std::filesystem::absolute(keep).parent_path());
        std::filesystem::copy_file(png, keep, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(html, std::filesystem::path(keep).replace_extension(".html"),
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

}  // namespace
}  // namespace vrn
