#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/file/safe_save_file.h"
#include "model/reports/drawing_cells.h"
#include "platform/drawing_svg_page.h"
#include "platform/drawing_template.h"
#include "platform/html_export_page.h"
#include "platform/svg_font_metrics.h"
#include "platform/svg_markup.h"
#include "platform/svg_writer.h"
#include "tests/support/child_process.h"
#include "tests/support/file_size_limit.h"

namespace vrn {
namespace {

const std::filesystem::path kTemplates = VRN_DRAWING_TEMPLATE_DIR;

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class DrawingLayerTest : public ::testing::Test {
protected:
    DrawingLayerTest()
        : layout(ReadDrawingTemplate(kTemplates / kDrawingTemplateFile)),
          page(layout, std::make_shared<SvgFontMetrics>(layout.font)),
          stencil(DrawingStencilFile::Open(kTemplates / kDrawingStencilFile)) {}

    std::shared_ptr<SvgShape> DropRectangle(double x, double y, const std::string& text = {}) {
        auto shape = std::static_pointer_cast<SvgShape>(
            page.Drop(stencil->Masters().Item("Rectangle"), x, y));
        shape->setText(text);
        return shape;
    }

    std::filesystem::path Folder() const { return dir.path().toStdString(); }

    DrawingTemplate layout;
    SvgDrawingPage page;
    std::unique_ptr<DrawingStencilFile> stencil;
    QTemporaryDir dir;
};

TEST_F(DrawingLayerTest, TheTemplateAndStencilOfTheTreeGiveWhatTheDrawingNeeds) {
    const DrawingTemplate layout = ReadDrawingTemplate(kTemplates / kDrawingTemplateFile);
    EXPECT_EQ(layout.stencilFile, kDrawingStencilFile);
    ASSERT_EQ(layout.styles.count("None"), 1u);
    EXPECT_FALSE(layout.styles.at("None").outline);
    EXPECT_FALSE(layout.styles.at("None").filled);
    EXPECT_EQ(stencil->Item("Rectangle").Name(), "Rectangle");
    EXPECT_EQ(stencil->Item("Line connector").Name(), "Line connector");
    EXPECT_THROW(stencil->Item("rectangle"), DrawingError);
}

TEST_F(DrawingLayerTest, TheTemplatesAreFoundInTheShareFolderOfTheProgramOrAboveIt) {
    const auto installed = Folder() / "prefix" / kInstalledTemplateFolder;
    std::filesystem::create_directories(installed);
    std::ofstream(installed / kDrawingTemplateFile) << "[Page]\n";
    for (const char* program : {"prefix", "prefix/bin", "prefix/app/tests/shell"}) {
        std::filesystem::create_directories(Folder() / program);
        EXPECT_EQ(FindDrawingTemplateFolder(Folder() / program), installed) << program;
    }
    // A folder without the template is passed over, and so is a program beside no templates.
    std::filesystem::create_directories(Folder() / "prefix/bin" / kInstalledTemplateFolder);
    EXPECT_EQ(FindDrawingTemplateFolder(Folder() / "prefix/bin"), installed);
    std::filesystem::create_directories(Folder() / "elsewhere/bin");
    EXPECT_EQ(FindDrawingTemplateFolder(Folder() / "elsewhere/bin"), std::filesystem::path());
}

TEST_F(DrawingLayerTest, BrokenTemplateFilesAreRefusedWithTheirPlace) {
    struct Case {
        const char* name;
        const char* content;
        const char* expected;
    };
    for (const Case& c : std::vector<Case>{{"number", "[Page]\nWidth = wide\n", "line 2"},
                                           {"colour", "[Text]\nColor = red\n", "#RRGGBB"},
                                           {"section", "# note\n[Pages]\n", "[Pages]"},
                                           {"key", "[Page]\nDepth = 3\n", "Depth"},
                                           {"outside", "Width = 3\n", "inside a section"}}) {
        SCOPED_TRACE(c.name);
        const auto file = Folder() / "broken.VST";
        std::ofstream(file) << c.content;
        try {
            ReadDrawingTemplate(file);
            ADD_FAILURE() << "accepted";
        } catch (const DrawingError& error) {
            EXPECT_NE(std::string(error.what()).find(c.expected), std::string::npos)
                << error.what();
            EXPECT_NE(std::string(error.what()).find("broken.VST"), std::string::npos);
        }
    }
    EXPECT_THROW(ReadDrawingTemplate(Folder() / "missing.VST"), DrawingError);
    const auto stencilFile = Folder() / "empty.VSS";
    std::ofstream(stencilFile) << "# nothing\n";
    EXPECT_THROW(ReadDrawingStencil(stencilFile), DrawingError);
}

TEST_F(DrawingLayerTest, CellsOfADroppedShape) {
    auto shape = DropRectangle(2, -3);
    EXPECT_EQ(shape->Cell(cells::PinX), 2);
    EXPECT_EQ(shape->Cell(cells::PinY), -3);
    EXPECT_EQ(shape->Cell(cells::Width), 1);
    EXPECT_EQ(shape->Cell(cells::Height), 0.75);
    EXPECT_EQ(shape->Cell(cells::ParaHorzAlign), 1);
    EXPECT_NEAR(shape->Cell(cells::TopMargin), 4.0 / 72, 1e-12);
    shape->setCell(cells::Width, 2.5);
    EXPECT_EQ(shape->Cell(cells::Width), 2.5);
    EXPECT_THROW(shape->Cell("Widht"), DrawingError);
    EXPECT_THROW(shape->setCell("FillForegnd", 1), DrawingError);
    EXPECT_THROW(shape->setStyle("Fancy"), DrawingError);
}

TEST_F(DrawingLayerTest, PaintingOrderFollowsSendToBackAndBringToFront) {
    auto first = DropRectangle(0, 0, "first");
    auto second = DropRectangle(0, 0, "second");
    auto third = DropRectangle(0, 0, "third");
    third->SendToBack();
    first->BringToFront();
    std::vector<std::string> order;
    for (const SvgShape* shape : page.paintingOrder()) {
        order.push_back(shape->text());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"third", "second", "first"}));
}

TEST_F(DrawingLayerTest, CenteringPutsTheDrawingInTheMiddleOfAPageThatHoldsIt) {
    // A small drawing stays on the template's page; a large one grows it.
    auto small = DropRectangle(-20, -30);
    page.CenterDrawing();
    EXPECT_DOUBLE_EQ(page.width(), 11);
    EXPECT_DOUBLE_EQ(small->Cell(cells::PinX), 5.5);
    EXPECT_DOUBLE_EQ(small->Cell(cells::PinY), 4.25);

    auto line =
        std::static_pointer_cast<SvgShape>(page.Drop(stencil->Item("Line connector"), 0, 0));
    line->setCell(cells::BeginX, 0);
    line->setCell(cells::EndX, 30);
    page.CenterDrawing();
    EXPECT_DOUBLE_EQ(page.width(), 31);  // 30 inches and two half-inch margins
    EXPECT_DOUBLE_EQ(line->Cell(cells::BeginX), 0.5);
    EXPECT_DOUBLE_EQ(line->Cell(cells::EndX), 30.5);
}

TEST(SvgShapeTest, AShapeKeptAfterItsPageIsGoneStaysUsable) {
    std::shared_ptr<DrawingShape> kept;
    {
        SvgDrawingPage page({}, std::make_shared<SvgFontMetrics>(DrawingTemplate{}.font));
        MasterDefinition rectangle;
        rectangle.name = "Rectangle";
        const DrawingStencilFile stencil({rectangle});
        kept = page.Drop(stencil.Item("Rectangle"), 1, 2);
    }
    kept->BringToFront();
    kept->SendToBack();
    kept->setStyle("None");
    EXPECT_EQ(kept->Cell(cells::PinY), 2);
}

TEST(SvgMarkupTest, EscapingAndNumbers) {
    struct Case {
        std::string text;
        std::string escaped;
    };
    for (const Case& c :
         std::vector<Case>{{"a < b & \"c\" 'd' >", "a &lt; b &amp; &quot;c&quot; &#39;d&#39; &gt;"},
                           {"</script>", "&lt;/script&gt;"},
                           {"tab\tline\nbell\x07", "tab\tline\nbell"},
                           {"caf\xC3\xA9", "caf\xC3\xA9"},
                           {"bad \xC3 byte", "bad \xEF\xBF\xBD byte"},
                           {"overlong \xC0\xAF", "overlong \xEF\xBF\xBD\xEF\xBF\xBD"}}) {
        EXPECT_EQ(EscapedMarkup(c.text), c.escaped) << c.text;
    }
    for (const auto& [value, text] :
         std::vector<std::pair<double, std::string>>{{0, "0"},
                                                     {-0.0001, "0"},
                                                     {1.5, "1.5"},
                                                     {-2.25, "-2.25"},
                                                     {1.0 / 3, "0.333"},
                                                     {1e6, "1000000"}}) {
        std::string out;
        AppendNumber(out, value);
        EXPECT_EQ(out, text) << value;
    }
}

// Every text of the drawing that comes from a user: the page name, shape texts and the link's
// description and handler.
TEST_F(DrawingLayerTest, TextsFromTheFileNeverBreakTheMarkup) {
    const std::string hostile = "A <b>&amp; \"quoted\" 'single' </script><script>alert(1)</script>";
    page.setName(hostile);
    auto shape = DropRectangle(1, -1, hostile);
    auto link = shape->AddHyperlink();
    link->setAddress("javascript:top.keep_place()");
    link->setClickHandler("top.show_activity('42')");
    link->setDescription(hostile);

    const std::string svg = page.Svg();
    const std::string html = HtmlExportPage(page);
    for (const std::string* markup : {&svg, &html}) {
        EXPECT_EQ(markup->find("<script"), std::string::npos);
        EXPECT_EQ(markup->find("</script"), std::string::npos);
        EXPECT_EQ(markup->find("<b>"), std::string::npos);
        EXPECT_NE(markup->find("onclick=\"top.show_activity(&#39;42&#39;)\""), std::string::npos);
        EXPECT_NE(markup->find("xlink:href=\"javascript:top.keep_place()\""), std::string::npos);
        EXPECT_NE(markup->find("&lt;/script&gt;"), std::string::npos);
    }

    if (!testing::ProgramOnPath("xmllint")) {
        GTEST_SKIP() << "xmllint is not installed (scripts/setup.sh installs libxml2-utils)";
    }
    page.SaveSvg(Folder() / "hostile.svg");
    page.Export((Folder() / "hostile.html").string());
    for (const char* name : {"hostile.svg", "hostile.html"}) {
        testing::ChildProcess check({"xmllint", "--noout", (Folder() / name).string()});
        EXPECT_EQ(check.wait().exitStatus, 0) << name << " is not well-formed";
    }
}

TEST_F(DrawingLayerTest, ExportWritesOneWholePageThroughATemporaryFile) {
    DropRectangle(1, -1, "Cell");
    const auto target = Folder() / "page.html";
    std::ofstream(target) << "old page";
    page.Export(target.string());
    const std::string written = Contents(target);
    EXPECT_EQ(written.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(written.find("<svg "), std::string::npos);
    EXPECT_NE(written.find(">Cell</text>"), std::string::npos);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "a temporary file was left";

    const auto missing = Folder() / "no such folder" / "page.html";
    try {
        page.Export(missing.string());
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const DrawingError& error) {
        EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos);
    }
}

TEST_F(DrawingLayerTest, AWriteThatFailsKeepsThePreviousFileAndSaysWhy) {
    for (int i = 0; i < 20; ++i) {
        DropRectangle(i, -1, "Cell " + std::to_string(i));
    }
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> save;
    };
    const Case cases[] = {
        {"drawing.svg", [this](const std::filesystem::path& target) { page.SaveSvg(target); }},
        {"drawing.html",
         [this](const std::filesystem::path& target) { page.Export(target.string()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto target = Folder() / c.name;
        std::ofstream(target) << "previous drawing";
        std::string error;
        {
            // The drawing is far larger than this.
            const testing::FileSizeLimit full(1024);
            try {
                c.save(target);
            } catch (const DrawingError& failure) {
                error = failure.what();
            }
        }
        EXPECT_NE(error.find(target.string()), std::string::npos) << error;
        EXPECT_NE(error.find(std::strerror(EFBIG)), std::string::npos) << error;
        EXPECT_EQ(Contents(target), "previous drawing");
        EXPECT_FALSE(std::filesystem::exists(SafeSaveFile::TemporaryPathFor(target)));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

}  // namespace
}  // namespace vrn
