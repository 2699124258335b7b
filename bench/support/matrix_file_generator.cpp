#include "bench/support/matrix_file_generator.h"

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "model/file/byte_sink.h"
#include "model/file/tagged_record_writer.h"

namespace vrn::bench {

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kWindowHeight = 10000;
constexpr std::int32_t kWindowWidth = 15000;
// Every 97th interaction carries a note and a description, as BuildLargeDocument gives them.
constexpr std::int64_t kNoteEvery = 97;

class FileSink : public ByteSink {
public:
    explicit FileSink(const fs::path& path) : out_(path, std::ios::binary | std::ios::trunc) {
        if (!out_) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }
    void Write(std::string_view bytes) override {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out_) {
            throw std::runtime_error("writing a generated matrix file failed");
        }
    }

private:
    std::ofstream out_;
};

struct StateShape {
    int groups = 0;
    int perGroup = 0;
    bool horizontal = false;
    std::string name;
    std::string stem;
};

class Generator {
public:
    explicit Generator(TaggedRecordWriter& file) : file_(file) {}

    void Header() {
        file_.WriteLong("Version", 3);
        file_.WriteLong("BEGIN Matrix", nextKey());
        file_.WriteFile("Title", "Varnel");
        for (const char* tag :
             {"Authors", "Assignment", "Modified", "Sources", "Review", "Documentation"}) {
            file_.WriteFile(tag, {});
        }
        file_.WriteBoolean("Locked", false);
        for (const char* tag : {"Locktype", "Keyvalue", "Footer", "Directions", "Description"}) {
            file_.WriteFile(tag, {});
        }
        file_.WriteLong("FormHeight", kWindowHeight);
        file_.WriteLong("FormWidth", kWindowWidth);
        file_.WriteBoolean("ViewTitle", true);
        file_.WriteBoolean("ViewAttribution", false);
        file_.WriteBoolean("ViewPracticeGroups", true);
        file_.WriteBoolean("ViewImportance", false);
        file_.WriteBoolean("ViewLegend", true);
        file_.WriteBoolean("ViewColor", false);
        file_.WriteLong("PracticeGroupHeight", 600);
        file_.WriteLong("PracticeWidth", 2700);
        file_.WriteLong("PracticeHeight", 600);
    }

    // Writes a state with its groups, practices and interactions; the keys of its practices.
    std::vector<std::int32_t> State(const StateShape& shape) {
        const std::int32_t key = nextKey();
        file_.WriteLong("BEGIN State", key);
        file_.WriteFile("State", shape.horizontal ? "Target" : "Existing");
        file_.WriteBoolean("State Horizontal", shape.horizontal);
        file_.WriteFile("State Name", shape.name);
        file_.WriteFile("State Description", {});
        std::vector<std::int32_t> practices;
        for (int g = 1; g <= shape.groups; ++g) {
            Group(shape, g, practices);
        }
        for (std::size_t j = 1; j < practices.size(); ++j) {
            for (std::size_t i = 0; i < j; ++i) {
                Interaction(practices[j], practices[i]);
            }
        }
        file_.WriteLong("END State", key);
        return practices;
    }

    void Interaction(std::int32_t first, std::int32_t second) {
        static const char* const kValues[] = {"+", "", "-", "", "?", "", "", ""};
        const std::int64_t n = interactions_++;
        const bool noted = n % kNoteEvery == 0;
        const std::int32_t key = nextKey();
        file_.WriteLong("BEGIN MatrixInteraction", key);
        file_.WriteLong("Key 1", first);
        file_.WriteLong("Key 2", second);
        file_.WriteFile("Value", kValues[(n * 7) % 8]);
        file_.WriteFile("Note", noted ? "Reinforcing Interaction" : "");
        file_.WriteFile("Rationale", noted ? "Both practices serve the same customers." : "");
        file_.WriteFile("Color", std::to_string(kWhite));
        file_.WriteFile("Discussion", {});
        file_.WriteLong("END MatrixInteraction", key);
    }

    void End() { file_.WriteLong("END Matrix", 1); }

private:
    void Group(const StateShape& shape, int g, std::vector<std::int32_t>& practices) {
        const std::int32_t key = nextKey();
        file_.WriteLong("BEGIN PracticeGroup", key);
        file_.WriteFile("Group Name", shape.stem + " group " + std::to_string(g));
        file_.WriteBoolean("Entity", false);
        file_.WriteFile("PID", {});
        file_.WriteBoolean("Layout", shape.horizontal);
        Plain("0");
        for (int p = 1; p <= shape.perGroup; ++p) {
            practices.push_back(Practice(shape, g, p, practices.size()));
        }
        file_.WriteLong("END PracticeGroup", key);
    }

    std::int32_t Practice(const StateShape& shape, int g, int p, std::size_t index) {
        static const char* const kImportance[] = {"+2", "+1", "", "-1", "-2"};
        const std::int32_t key = nextKey();
        file_.WriteLong("BEGIN Practice", key);
        file_.WriteFile("Name",
                        shape.stem + " practice " + std::to_string(g) + "." + std::to_string(p));
        file_.WriteBoolean("Entity", false);
        file_.WriteFile("PID", {});
        file_.WriteFile("Description", {});
        file_.WriteFile("Discussion", {});
        file_.WriteBoolean("Layout", shape.horizontal);
        file_.WriteFile("Import", kImportance[index % 5]);
        Plain("0");
        file_.WriteBoolean("Has_OptionGroup", false);
        file_.WriteLong("END Practice", key);
        return key;
    }

    // Bold, italic and underlined off, and the colour.
    void Plain(const std::string& color) {
        file_.WriteBoolean("Bold", false);
        file_.WriteBoolean("Italic", false);
        file_.WriteBoolean("Underlined", false);
        file_.WriteFile("Color", color);
    }

    std::int32_t nextKey() { return ++key_; }

    TaggedRecordWriter& file_;
    std::int32_t key_ = 0;
    std::int64_t interactions_ = 0;
};

int Grown(int count, int scale) {
    return static_cast<int>(std::lround(count * std::sqrt(static_cast<double>(scale))));
}

}  // namespace

LargeDocumentShape ScaledShape(int scale) {
    LargeDocumentShape shape;
    shape.existingPracticesPerGroup = Grown(shape.existingPracticesPerGroup, scale);
    shape.alternativePracticesPerGroup = Grown(shape.alternativePracticesPerGroup, scale);
    return shape;
}

LargeDocumentShape PracticeGroupShape() {
    LargeDocumentShape shape;
    shape.existingGroups = 1;
    shape.existingPracticesPerGroup = 2000;
    shape.alternatives = 1;
    shape.alternativeGroups = 1;
    shape.alternativePracticesPerGroup = 3;
    return shape;
}

void WriteMatrixFile(const LargeDocumentShape& shape, const fs::path& path) {
    FileSink sink(path);
    TaggedRecordWriter writer(sink);
    Generator generate(writer);
    generate.Header();
    const auto existing = generate.State({shape.existingGroups, shape.existingPracticesPerGroup,
                                          false, "Existing Practices", "Existing"});
    writer.WriteLong("AlternativeCount", shape.alternatives);
    std::vector<std::vector<std::int32_t>> targets;
    for (int i = 1; i <= shape.alternatives; ++i) {
        const std::string number = std::to_string(i);
        targets.push_back(
            generate.State({shape.alternativeGroups, shape.alternativePracticesPerGroup, true,
                            "Target Practices: Alternative " + number, "Alternative " + number}));
    }
    for (const auto& target : targets) {
        for (const std::int32_t t : target) {
            for (const std::int32_t e : existing) {
                generate.Interaction(t, e);
            }
        }
    }
    generate.End();
    writer.Flush();
}

GeneratedMatrixFile::GeneratedMatrixFile(const LargeDocumentShape& fileShape,
                                         const std::string& stem)
    : shape(fileShape),
      folder(fs::temp_directory_path() / (stem + "-" + std::to_string(::getpid()))),
      path(folder / "generated.vrn") {
    fs::create_directories(folder);
    WriteMatrixFile(shape, path);
    bytes = static_cast<std::int64_t>(fs::file_size(path));
}

GeneratedMatrixFile::~GeneratedMatrixFile() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace vrn::bench
