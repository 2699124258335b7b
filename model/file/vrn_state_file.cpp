#include "model/file/matrix_file_reader.h"
#include "model/file/practice_key_index.h"
#include "model/file/tagged_record_writer.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

void VRN_State::Read(MatrixFileReader& file, MatrixWindow* window, bool isHorizontal,
                     const std::shared_ptr<VRN_Matrix>& document) {
    bindTo(document, window, isHorizontal);

    Key = file.ReadTagAndKey().key;
    if (version == 1) {
        file.ReadItemText();
        horizontal = file.ReadItemBoolean();
    } else if (version == 3) {
        file.ReadFile("State");
        horizontal = file.ReadFileBoolean("State Horizontal");
        Name = file.ReadFile("State Name");
        Description = file.ReadFile("State Description");
    }

    const auto self = shared_from_this();
    auto pair = file.ReadTagAndKey();
    while (pair.tag == "BEGIN PracticeGroup") {
        auto group = std::make_shared<VRN_PracticeGroup>();
        PGroups.Add(group);
        group->Read(file, horizontal, self, InForm, pair.key);
        pair = file.ReadTagAndKey();
    }
    if (pair.tag == "BEGIN MatrixInteraction") {
        // Every practice of the state has been read by now: each meets every other, and a target
        // practice also meets every existing one across.
        const bool existing = reserveInteractions(file);
        PracticeKeyIndex practices;
        practices.Add(Practices);
        file.practiceListsDeferred = existing;
        while (pair.tag == "BEGIN MatrixInteraction") {
            VRN_MatrixInteraction::Read(file, self, InForm, pair.key, practices);
            pair = file.ReadTagAndKey("BEGIN MatrixInteraction");
        }
        file.practiceListsDeferred = false;
    }
    // Any other record (the "END State" record) ends the state.
}

bool VRN_State::reserveInteractions(MatrixFileReader& file) {
    const std::int64_t count = Practices.Count();
    file.ReserveInteractions(Interactions, count * (count - 1) / 2);
    const auto document = partOf.lock();
    if (!document || document->Existing().get() == this) {
        // How many target practices an existing practice meets is known once the alternatives
        // are read (VRN_Matrix::listExistingInteractions).
        return true;
    }
    const std::int64_t across = document->Existing()->Practices.Count();
    for (const auto& practice : Practices) {
        file.ReserveInteractions(practice->Interactions, count - 1 + across);
    }
    return false;
}

void VRN_State::SetKey(std::int32_t& Val) {
    Key = Val;
    for (const auto& group : PGroups) {
        ++Val;
        group->SetKey(Val);
    }
    for (const auto& interaction : Interactions) {
        ++Val;
        interaction->SetKey(Val);
    }
}

void VRN_State::Save(TaggedRecordWriter& file) {
    const auto document = partOf.lock();
    const bool existing = document && document->Existing().get() == this;
    file.WriteLong("BEGIN State", Key);
    file.WriteFile("State", existing ? "Existing" : "Target");
    file.WriteBoolean("State Horizontal", horizontal);
    file.WriteFile("State Name", Name);
    file.WriteFile("State Description", Description);
    for (const auto& group : PGroups) {
        group->Save(file);
    }
    for (const auto& interaction : Interactions) {
        interaction->Save(file);
    }
    file.WriteLong("END State", Key);
}

}  // namespace vrn
