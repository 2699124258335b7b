#include "bench/support/matrix_file_generator.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "model/file/byte_sink.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn::bench {

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
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

// Passes the records of a document without interactions on to `file`, and lets `splice` write
// the interactions where they belong: before the end of each state, numbered from 0 in file
// order, and before the end of the document (-1). The writer hands over whole records.
class SplicingSink : public ByteSink {
public:
    SplicingSink(ByteSink& file, std::function<void(int state)> splice)
        : file_(file), splice_(std::move(splice)) {}

    void Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const std::size_t stateEnd = recordStart(bytes, "\"END State\",");
            const std::size_t documentEnd = recordStart(bytes, "\"END Matrix\",");
            const std::size_t at = std::min(stateEnd, documentEnd);
            if (at == std::string_view::npos) {
                file_.Write(bytes);
                return;
            }
            file_.Write(bytes.substr(0, at));
            splice_(at == stateEnd ? states_++ : -1);
            const std::size_t lineEnd = bytes.find('\n', at);
            const std::size_t rest = lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
            file_.Write(bytes.substr(at, rest - at));
            bytes.remove_prefix(rest);
        }
    }

private:
    static std::size_t recordStart(std::string_view bytes, std::string_view tag) {
        if (bytes.starts_with(tag)) {
            return 0;
        }
        const std::size_t found = bytes.find("\n" + std::string(tag));
        return found == std::string_view::npos ? found : found + 1;
    }

    ByteSink& file_;
    std::function<void(int)> splice_;
    int states_ = 0;
};

// The states, groups and practices of `shape`, named and rated as BuildLargeDocument names and
// rates them, without a window and without interactions.
std::shared_ptr<VRN_Matrix> Skeleton(const LargeDocumentShape& shape) {
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew({}, nullptr, true);
    document->CreateInit(static_cast<std::int16_t>(shape.alternatives), nullptr, nullptr, true);
    static const char* const kImportance[] = {"+2", "+1", "", "-1", "-2"};
    const auto fill = [](const std::shared_ptr<VRN_State>& state, int groups, int perGroup,
                         const std::string& stem) {
        int index = 0;
        for (int g = 1; g <= groups; ++g) {
            auto group = std::make_shared<VRN_PracticeGroup>();
            state->PGroups.Add(group);
            group->Create(stem + " group " + std::to_string(g), state->horizontal, state, nullptr,
                          false, {}, 0, nullptr, nullptr, true);
            for (int p = 1; p <= perGroup; ++p) {
                auto practice = std::make_shared<VRN_Practice>();
                practice->setName(stem + " practice " + std::to_string(g) + "." +
                                  std::to_string(p));
                practice->horizontal = state->horizontal;
                practice->Importance_value = kImportance[index++ % 5];
                std::shared_ptr<VRN_Practice> before;
                group->AddPractice(practice, before);
            }
        }
    };
    fill(document->Existing(), shape.existingGroups, shape.existingPracticesPerGroup, "Existing");
    for (int i = 1; i <= shape.alternatives; ++i) {
        fill(document->alternative(i), shape.alternativeGroups, shape.alternativePracticesPerGroup,
             "Alternative " + std::to_string(i));
    }
    return document;
}

// Writes interaction records through the model's own writer, one reusable interaction between
// two practices that only lend it their keys; values, notes and descriptions follow the pattern
// of BuildLargeDocument, keys go on from `firstKey`.
class InteractionRecords {
public:
    InteractionRecords(TaggedRecordWriter& file, std::int32_t firstKey)
        : file_(file), key_(firstKey) {
        record_->Practice1 = first_;
        record_->practice2 = second_;
        record_->color = kWhite;
    }

    void Write(std::int32_t firstKey, std::int32_t secondKey) {
        static const char* const kValues[] = {"+", "", "-", "", "?", "", "", ""};
        const std::int64_t n = count_++;
        const bool noted = n % kNoteEvery == 0;
        first_->Key = firstKey;
        second_->Key = secondKey;
        record_->Key = key_++;
        record_->setValue(kValues[(n * 7) % 8]);
        record_->setNote(noted ? "Reinforcing Interaction" : "");
        record_->setDescription(noted ? "Both practices serve the same customers." : "");
        record_->Save(file_);
    }

private:
    TaggedRecordWriter& file_;
    std::int32_t key_;
    std::int64_t count_ = 0;
    std::shared_ptr<VRN_Practice> first_ = std::make_shared<VRN_Practice>();
    std::shared_ptr<VRN_Practice> second_ = std::make_shared<VRN_Practice>();
    std::shared_ptr<VRN_MatrixInteraction> record_ = std::make_shared<VRN_MatrixInteraction>();
};

std::vector<std::int32_t> KeysOf(const VRN_State& state) {
    std::vector<std::int32_t> keys;
    for (const auto& practice : state.Practices) {
        keys.push_back(practice->Key);
    }
    return keys;
}

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
    const auto document = Skeleton(shape);
    std::vector<std::shared_ptr<VRN_State>> states{document->Existing()};
    std::int32_t elements =
        1 + 1 + document->Existing()->PGroups.Count() + document->Existing()->Practices.Count();
    for (const auto& alternative : document->Alternatives_col) {
        states.push_back(alternative);
        elements += 1 + alternative->PGroups.Count() + alternative->Practices.Count();
    }
    FileSink file(path);
    TaggedRecordWriter interactionWriter(file);
    InteractionRecords interactions(interactionWriter, elements + 1);
    // The keys are those the writer gives the document's elements, numbered before it writes.
    SplicingSink spliced(file, [&](int state) {
        if (state >= 0) {
            const auto keys = KeysOf(*states[static_cast<std::size_t>(state)]);
            for (std::size_t j = 1; j < keys.size(); ++j) {
                for (std::size_t i = 0; i < j; ++i) {
                    interactions.Write(keys[j], keys[i]);
                }
            }
        } else {
            const auto existing = KeysOf(*document->Existing());
            for (std::size_t s = 1; s < states.size(); ++s) {
                for (const std::int32_t target : KeysOf(*states[s])) {
                    for (const std::int32_t e : existing) {
                        interactions.Write(target, e);
                    }
                }
            }
        }
        interactionWriter.Flush();
    });
    TaggedRecordWriter writer(spliced);
    document->Save(writer, false);
    writer.Flush();
}

GeneratedMatrixFile::GeneratedMatrixFile(const LargeDocumentShape& fileShape,
                                         const std::string& stem)
    : shape(fileShape), folder(stem), path(folder.path() / "generated.vrn") {
    WriteMatrixFile(shape, path);
    bytes = static_cast<std::int64_t>(fs::file_size(path));
}

}  // namespace vrn::bench
