#include "platform/drawing_template.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <utility>

namespace vrn {

namespace {

constexpr char kMasterSection[] = "Master ";
constexpr char kStyleSection[] = "Style ";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// One "[Section]" of a template file: its "Key = Value" lines, each with its line number.
struct Section {
    std::string name;
    int line = 0;
    std::vector<std::pair<std::string, std::pair<std::string, int>>> entries;
};

// Reads the sections of `file`; `#` starts a comment line.
std::vector<Section> ReadSections(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        throw DrawingError("The drawing file '" + file.string() + "' cannot be opened.");
    }
    std::vector<Section> sections;
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const std::string line = Trimmed(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto where = "'" + file.string() + "', line " + std::to_string(number);
        if (line.front() == '[') {
            if (line.back() != ']') {
                throw DrawingError("A section name lacks its closing bracket in " + where + ".");
            }
            sections.push_back({Trimmed(line.substr(1, line.size() - 2)), number, {}});
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || sections.empty()) {
            throw DrawingError("Expected \"Name = Value\" inside a section in " + where + ".");
        }
        sections.back().entries.push_back(
            {Trimmed(line.substr(0, equals)), {Trimmed(line.substr(equals + 1)), number}});
    }
    return sections;
}

// Applies each entry of `section` through `apply`, which returns false for a key it does not
// know; any failure names the file and line.
void ApplyEntries(const std::filesystem::path& file, const Section& section,
                  const std::function<bool(const std::string&, const std::string&)>& apply) {
    for (const auto& [key, value] : section.entries) {
        const auto where = "'" + file.string() + "', line " + std::to_string(value.second);
        try {
            if (!apply(key, value.first)) {
                throw DrawingError("unknown setting \"" + key + "\"");
            }
        } catch (const DrawingError& error) {
            throw DrawingError(std::string(error.what()) + " in " + where + ".");
        }
    }
}

double PositiveNumber(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value <= 0) {
        throw DrawingError("\"" + text + "\" is not a positive number");
    }
    return value;
}

bool YesNo(const std::string& text) {
    if (text == "yes") {
        return true;
    }
    if (text == "no") {
        return false;
    }
    throw DrawingError("\"" + text + "\" is neither yes nor no");
}

std::string Colour(const std::string& text) {
    const bool valid = text.size() == 7 && text[0] == '#' &&
                       text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
    if (!valid) {
        throw DrawingError("\"" + text + "\" is not a colour of the form #RRGGBB");
    }
    return text;
}

bool ApplyLook(DrawingLook& look, const std::string& key, const std::string& value) {
    if (key == "Outline") {
        look.outline = YesNo(value);
    } else if (key == "Fill") {
        look.filled = YesNo(value);
    } else if (key == "LineColor") {
        look.lineColor = Colour(value);
    } else if (key == "LineWeight") {
        look.lineWeight = PositiveNumber(value);
    } else if (key == "FillColor") {
        look.fillColor = Colour(value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

DrawingTemplate ReadDrawingTemplate(const std::filesystem::path& file) {
    DrawingTemplate layout;
    for (const Section& section : ReadSections(file)) {
        if (section.name == "Page") {
            ApplyEntries(file, section, [&layout](const std::string& key, const std::string& v) {
                double* target = key == "Width"    ? &layout.pageWidth
                                 : key == "Height" ? &layout.pageHeight
                                 : key == "Margin" ? &layout.margin
                                                   : nullptr;
                return target != nullptr && (*target = PositiveNumber(v), true);
            });
        } else if (section.name == "Text") {
            ApplyEntries(file, section, [&layout](const std::string& key, const std::string& v) {
                if (key == "Font") {
                    layout.font = v;
                } else if (key == "Size") {
                    layout.fontSize = PositiveNumber(v);
                } else if (key == "Color") {
                    layout.textColor = Colour(v);
                } else {
                    return false;
                }
                return true;
            });
        } else if (section.name.starts_with(kStyleSection)) {
            DrawingLook& look = layout.styles[section.name.substr(sizeof kStyleSection - 1)];
            ApplyEntries(file, section, [&look](const std::string& key, const std::string& v) {
                return ApplyLook(look, key, v);
            });
        } else if (section.name == "Stencil") {
            ApplyEntries(file, section, [&layout](const std::string& key, const std::string& v) {
                return key == "File" && (layout.stencilFile = v, true);
            });
        } else {
            throw DrawingError("Unknown section [" + section.name + "] in '" + file.string() +
                               "', line " + std::to_string(section.line) + ".");
        }
    }
    return layout;
}

std::vector<MasterDefinition> ReadDrawingStencil(const std::filesystem::path& file) {
    std::vector<MasterDefinition> masters;
    for (const Section& section : ReadSections(file)) {
        if (!section.name.starts_with(kMasterSection)) {
            throw DrawingError("Unknown section [" + section.name + "] in '" + file.string() +
                               "', line " + std::to_string(section.line) + ".");
        }
        MasterDefinition& master = masters.emplace_back();
        master.name = section.name.substr(sizeof kMasterSection - 1);
        ApplyEntries(file, section, [&master](const std::string& key, const std::string& v) {
            if (key == "Kind") {
                if (v != "rectangle" && v != "line") {
                    throw DrawingError("\"" + v + "\" is neither rectangle nor line");
                }
                master.kind = v == "line" ? MasterKind::Line : MasterKind::Rectangle;
            } else if (key == "Width") {
                master.width = PositiveNumber(v);
            } else if (key == "Height") {
                master.height = PositiveNumber(v);
            } else {
                return ApplyLook(master.look, key, v);
            }
            return true;
        });
    }
    if (masters.empty()) {
        throw DrawingError("The stencil '" + file.string() + "' holds no master.");
    }
    return masters;
}

std::filesystem::path FindDrawingTemplateFolder(const std::filesystem::path& programFolder) {
    std::error_code ignored;
    for (std::filesystem::path folder = std::filesystem::absolute(programFolder, ignored);
         !folder.empty(); folder = folder.parent_path()) {
        const std::filesystem::path candidate = folder / kInstalledTemplateFolder;
        if (std::filesystem::is_regular_file(candidate / kDrawingTemplateFile, ignored)) {
            return candidate;
        }
        if (folder == folder.parent_path()) {
            break;
        }
    }
    return {};
}

DrawingStencilFile::DrawingStencilFile(const std::vector<MasterDefinition>& masters) {
    for (const auto& master : masters) {
        masters_.push_back(std::make_unique<StencilMaster>(master));
    }
}

std::unique_ptr<DrawingStencilFile> DrawingStencilFile::Open(const std::filesystem::path& file) {
    return std::make_unique<DrawingStencilFile>(ReadDrawingStencil(file));
}

const DrawingMaster& DrawingStencilFile::Item(const std::string& name) const {
    for (const auto& master : masters_) {
        if (master->Name() == name) {
            return *master;
        }
    }
    throw DrawingError("The stencil has no master called '" + name + "'.");
}

}  // namespace vrn
