#include "model/file/matrix_file_reader.h"
#include "model/file/practice_key_index.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"

namespace vrn {

std::shared_ptr<VRN_MatrixInteraction> VRN_MatrixInteraction::Read(
    MatrixFileReader& file, const std::shared_ptr<VRN_State>& state, MatrixWindow* window,
    std::int32_t& key, const PracticeKeyIndex& practices) {
    return readAndLink(file, std::weak_ptr<VRN_State>(state), state->Interactions, state->InMatrix,
                       state->No_Display, window, key, practices);
}

std::shared_ptr<VRN_MatrixInteraction> VRN_MatrixInteraction::Read(
    MatrixFileReader& file, const std::shared_ptr<VRN_Matrix>& document, MatrixWindow* window,
    std::int32_t& key, const PracticeKeyIndex& practices) {
    return readAndLink(file, std::weak_ptr<VRN_Matrix>(document), document->Interactions, document,
                       document->No_Display, window, key, practices);
}

std::shared_ptr<VRN_MatrixInteraction> VRN_MatrixInteraction::readAndLink(
    MatrixFileReader& file, Parent parent, Collection<VRN_MatrixInteraction>& parentList,
    const std::weak_ptr<VRN_Matrix>& document, bool parentNo_Display, MatrixWindow* window,
    std::int32_t& key, const PracticeKeyIndex& practices) {
    // The whole record is read before anything is linked, so that an interaction naming no
    // practice can be left out cleanly.
    std::int32_t key1 = 0;
    std::int32_t key2 = 0;
    std::string value;
    std::string note;
    std::string description;
    std::string discussion;
    std::int32_t color = 0;
    const bool version3 = file.version == 3;
    if (version3) {
        key1 = file.ReadFileLong("Key 1");
        key2 = file.ReadFileLong("Key 2");
        value = file.ReadFile("Value");
        note = file.ReadFile("Note");
        description = file.ReadFile("Rationale");
        color = file.ReadFileNumberText("Color");
        discussion = file.ReadFile("Discussion");
        key = file.ReadFileLong("END MatrixInteraction");
    } else if (file.version == 1) {
        key1 = file.ReadItemLong();
        key2 = file.ReadItemLong();
        value = file.ReadItemText();
        key = file.ReadTagAndKey().key;
    }

    const auto found = practices.Resolve(key1, key2);
    if (!found.Practice1 || !found.practice2) {
        file.NoteDroppedInteraction();
        return nullptr;
    }
    const auto& first = *found.Practice1;
    const auto& second = *found.practice2;
    // The cell's tool tip is the note read, from the start.
    auto interaction = link(std::move(parent), parentList, document, parentNo_Display, first,
                            second, window, first->is_blank || second->is_blank,
                            !file.practiceListsDeferred, version3 ? &note : nullptr);
    interaction->Key = key;
    interaction->setValue(value);
    if (version3) {
        interaction->setNote(note);
        interaction->setDescription(description);
        interaction->setDiscussion(discussion);
        interaction->color = color;
        // Colour 0 leaves the cell in the window's colour, as Draw does.
        if (interaction->Display && color != 0) {
            interaction->Display->setBackColor(color);
        }
    }
    return interaction;
}

void VRN_MatrixInteraction::Save(TaggedRecordWriter& file) {
    const auto first = Practice1.lock();
    const auto second = practice2.lock();
    if (!first || !second) {
        return;
    }
    file.WriteLong("BEGIN MatrixInteraction", Key);
    file.WriteLong("Key 1", first->Key);
    file.WriteLong("Key 2", second->Key);
    file.WriteFile("Value", Value());
    file.WriteFile("Note", Note());
    file.WriteFile("Rationale", Description());
    file.WriteFile("Color", std::to_string(color));
    file.WriteFile("Discussion", Discussion());
    file.WriteLong("END MatrixInteraction", Key);
}

}  // namespace vrn
