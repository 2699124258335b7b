#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/reports/drawing_page.h"

namespace vrn {

// File names of the drawing template and its stencil inside the template folder.
inline constexpr char kDrawingTemplateFile[] = "Basic Diagram.VST";
inline constexpr char kDrawingStencilFile[] = "Basic Shapes.VSS";
// Where the templates are installed, below the installation's prefix (and the build tree).
inline constexpr char kInstalledTemplateFolder[] = "share/varnel/templates";

// The templates that come with the program in `programFolder`: kInstalledTemplateFolder in that
// folder or the nearest one above it that holds the drawing template. An installed program in
// "<prefix>/bin" thus finds "<prefix>/share/varnel/templates", and one in a build tree the
// tree's copy. Empty when there is none.
std::filesystem::path FindDrawingTemplateFolder(const std::filesystem::path& programFolder);

// How a shape's outline and fill are painted. Colours are "#RRGGBB"; weights are points.
struct DrawingLook {
    bool outline = true;
    bool filled = true;
    std::string lineColor = "#000000";
    double lineWeight = 0.75;
    std::string fillColor = "#FFFFFF";
};

// The page, text and styles of a new drawing, as the template file gives them. Lengths are
// inches, text sizes points.
struct DrawingTemplate {
    double pageWidth = 11;
    double pageHeight = 8.5;
    double margin = 0.5;
    std::string font = "DejaVu Sans, Arial, Helvetica, sans-serif";
    double fontSize = 8;
    std::string textColor = "#000000";
    std::map<std::string, DrawingLook> styles{{"None", {false, false, "#000000", 0.75, "#FFFFFF"}}};
    std::string stencilFile = kDrawingStencilFile;
};

enum class MasterKind { Rectangle, Line };

// A master of the stencil: what a dropped shape starts as.
struct MasterDefinition {
    std::string name;
    MasterKind kind = MasterKind::Rectangle;
    double width = 1;
    double height = 0.75;
    DrawingLook look;
};

// Both readers throw DrawingError naming the file (and the line) when it is missing or wrong.
DrawingTemplate ReadDrawingTemplate(const std::filesystem::path& file);
std::vector<MasterDefinition> ReadDrawingStencil(const std::filesystem::path& file);

// A master as a drawing hands it out.
class StencilMaster : public DrawingMaster {
public:
    explicit StencilMaster(MasterDefinition definition) : definition_(std::move(definition)) {}
    std::string Name() const override { return definition_.name; }
    const MasterDefinition& definition() const { return definition_; }

private:
    MasterDefinition definition_;
};

// An opened stencil with its masters.
class DrawingStencilFile : public DrawingStencil, public DrawingMasters {
public:
    explicit DrawingStencilFile(const std::vector<MasterDefinition>& masters);
    // Reads `file` (ReadDrawingStencil).
    static std::unique_ptr<DrawingStencilFile> Open(const std::filesystem::path& file);

    DrawingMasters& Masters() override { return *this; }
    const DrawingMaster& Item(const std::string& name) const override;

private:
    std::vector<std::unique_ptr<StencilMaster>> masters_;
};

}  // namespace vrn
