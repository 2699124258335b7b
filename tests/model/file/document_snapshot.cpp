#include "tests/model/file/document_snapshot.h"

#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn::testing {

namespace {

class Snapshot {
public:
    void Field(const std::string& path, const std::string& value) {
        lines.push_back(path + "=" + value);
    }
    void Field(const std::string& path, std::int64_t value) { Field(path, std::to_string(value)); }
    void Field(const std::string& path, bool value) {
        Field(path, std::string(value ? "True" : "False"));
    }

    void Interaction(const std::string& at, const VRN_MatrixInteraction& interaction) {
        const auto first = interaction.Practice1.lock();
        const auto second = interaction.practice2.lock();
        Field(at + ".Key", std::int64_t{interaction.Key});
        Field(at + ".Key 1", first ? std::int64_t{first->Key} : -1);
        Field(at + ".Key 2", second ? std::int64_t{second->Key} : -1);
        Field(at + ".Value", interaction.Value());
        Field(at + ".Note", interaction.Note());
        Field(at + ".Rationale", interaction.Description());
        Field(at + ".Color", std::int64_t{interaction.color});
        Field(at + ".Discussion", interaction.Discussion());
        Field(at + ".is_blank", interaction.is_blank);
    }

    void Practice(const std::string& at, VRN_Practice& practice) {
        Field(at + ".Key", std::int64_t{practice.Key});
        Field(at + ".Name", practice.Name());
        Field(at + ".Entity", practice.is_entity);
        Field(at + ".PID", practice.entity_UID);
        Field(at + ".Description", practice.Description());
        Field(at + ".Discussion", practice.Discussion);
        Field(at + ".Layout", practice.horizontal);
        Field(at + ".Import", practice.importanceText());
        Field(at + ".Bold", practice.fontbold());
        Field(at + ".Italic", practice.FontItalic());
        Field(at + ".Underlined", practice.FontUnderlined());
        Field(at + ".Color", std::int64_t{practice.color});
        Field(at + ".is_blank", practice.is_blank);
        Field(at + ".Interactions", std::int64_t{practice.Interactions.Count()});
        if (const auto& group = practice.OptionGroup) {
            const std::string og = at + ".OptionGroup";
            Field(og + ".Key", std::int64_t{group->Key});
            Field(og + ".Name", group->Name());
            Field(og + ".Entity", group->is_entity);
            Field(og + ".PID", group->entity_UID);
            Field(og + ".Prompt", group->Prompt);
            Field(og + ".Description", group->Description());
            Field(og + ".Discussion", group->Discussion);
            Field(og + ".Enabled", group->Enabled);
            int i = 0;
            for (const auto& option : group->Options) {
                const std::string o = og + ".Option" + std::to_string(++i);
                Field(o + ".Key", std::int64_t{option->Key});
                Field(o + ".Name", option->Name());
                Field(o + ".Entity", option->is_entity);
                Field(o + ".PID", option->entity_UID);
                Field(o + ".Description", option->Description());
                Field(o + ".Discussion", option->Discussion);
                Field(o + ".Color", std::int64_t{option->color});
            }
        }
    }

    void State(const std::string& at, VRN_State& state) {
        Field(at + ".Key", std::int64_t{state.Key});
        Field(at + ".Horizontal", state.horizontal);
        Field(at + ".Name", state.Name);
        Field(at + ".Description", state.Description);
        int g = 0;
        for (const auto& group : state.PGroups) {
            const std::string pg = at + ".Group" + std::to_string(++g);
            Field(pg + ".Key", std::int64_t{group->Key});
            Field(pg + ".Name", group->Name());
            Field(pg + ".Entity", group->is_entity);
            Field(pg + ".PID", group->entity_UID);
            Field(pg + ".is_blank", group->is_blank);
            Field(pg + ".Layout", group->horizontal());
            Field(pg + ".Bold", group->fontbold());
            Field(pg + ".Italic", group->FontItalic());
            Field(pg + ".Underlined", group->FontUnderlined());
            Field(pg + ".Color", std::int64_t{group->color});
            int p = 0;
            for (const auto& practice : group->PracticeParts) {
                Practice(pg + ".Practice" + std::to_string(++p), *practice);
            }
        }
        Field(at + ".Practices", std::int64_t{state.Practices.Count()});
        int i = 0;
        for (const auto& interaction : state.Interactions) {
            Interaction(at + ".Interaction" + std::to_string(++i), *interaction);
        }
    }

    std::vector<std::string> lines;
};

}  // namespace

std::vector<std::string> DocumentSnapshot(VRN_Matrix& document) {
    Snapshot snapshot;
    snapshot.Field("Key", std::int64_t{document.Key});
    snapshot.Field("Title", document.title);
    snapshot.Field("Authors", document.Authors);
    snapshot.Field("Assignment", document.Assignment);
    snapshot.Field("Modified", document.Modified);
    snapshot.Field("Sources", document.Sources);
    snapshot.Field("Review", document.Review);
    snapshot.Field("Documentation", document.Distribution);
    snapshot.Field("Locked", document.locked);
    snapshot.Field("Locktype", document.Locktype);
    snapshot.Field("Keyvalue", document.Keyvalue);
    snapshot.Field("Footer", document.footer);
    snapshot.Field("Directions", document.Directions);
    snapshot.Field("Description", document.Description);
    snapshot.State("Existing", *document.Existing());
    snapshot.Field("AlternativeCount", std::int64_t{document.Alt_count});
    int a = 0;
    for (const auto& state : document.Alternatives_col) {
        snapshot.State("Alternative" + std::to_string(++a), *state);
    }
    int i = 0;
    for (const auto& interaction : document.Interactions) {
        snapshot.Interaction("Interaction" + std::to_string(++i), *interaction);
    }
    return snapshot.lines;
}

}  // namespace vrn::testing
