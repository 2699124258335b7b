#include "model/vrn_state.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "model/model_error.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"

namespace vrn {

void VRN_State::CreateNew(MatrixWindow* window, bool isHorizontal,
                          const std::shared_ptr<VRN_Matrix>& document,
                          const std::shared_ptr<CatalogueEntity>& ent,
                          const std::shared_ptr<VRN_PracticeGroup>& startup_PG,
                          const std::string& Stem_name, bool Create_Empty) {
    if (!document) {
        throw ModelError("A state needs the matrix it belongs to.");
    }
    Name = Stem_name;
    bindTo(document, window, isHorizontal);

    // The entity's name is asked first: an entity without one fails here.
    std::string groupName;
    if (ent) {
        groupName = ent->Name();
    } else if (!Stem_name.empty()) {
        groupName = Stem_name + " Group";
    } else {
        groupName = horizontal ? "New Group 1" : "Group 1";
    }

    const auto self = shared_from_this();
    if (startup_PG) {
        auto group = std::make_shared<VRN_PracticeGroup>();
        PGroups.Add(group);
        group->Create(groupName, horizontal, self, InForm, false, {}, 0, nullptr, startup_PG);
    } else if (ent) {
        const std::string uid = CatalogueText(ent->GetAttributeValue("kt_PIFID"));
        const std::int32_t id = CatalogueLong(ent->GetAttributeValue("kt_ID"));
        auto group = std::make_shared<VRN_PracticeGroup>();
        PGroups.Add(group);
        group->Create(groupName, horizontal, self, InForm, true, uid, id, ent);
    } else if (!Create_Empty) {
        auto group = std::make_shared<VRN_PracticeGroup>();
        PGroups.Add(group);
        group->Create(groupName, horizontal, self, InForm);
        const std::string prefix = horizontal ? "New Practice " : "Existing Practice ";
        group->PracticeParts.Item(1)->AddNewPractice(prefix + "2");
        group->PracticeParts.Item(2)->AddNewPractice(prefix + "3");
    }
}

void VRN_State::bindTo(const std::shared_ptr<VRN_Matrix>& document, MatrixWindow* window,
                       bool isHorizontal) {
    InForm = window;
    horizontal = isHorizontal;
    partOf = document;
    InMatrix = document;
    version = document->version;
    No_Display = document->No_Display;
}

void VRN_State::Delete() {
    const auto self = shared_from_this();
    VRN_MatrixInteraction::DeleteAll(Interactions.Snapshot());

    auto practices = PracticesByGroup();
    std::unordered_set<const VRN_Practice*> listed;
    for (const auto& practice : practices) {
        listed.insert(practice.get());
    }
    for (const auto& practice : Practices) {
        if (listed.insert(practice.get()).second) {
            practices.push_back(practice);
        }
    }
    VRN_Practice::DeleteAll(practices);

    for (const auto& group : PGroups.Snapshot()) {
        if (group->Display) {
            group->Display->setVisible(false);
        }
        PGroups.RemoveItem(group.get());
    }
}

void VRN_State::SortPractices() {
    std::vector<std::pair<int, std::shared_ptr<VRN_Practice>>> scored;
    scored.reserve(static_cast<std::size_t>(Practices.Count()));
    for (const auto& practice : Practices) {
        scored.emplace_back(practice->Value(), practice);
    }
    // Stable: equal values keep their old order.
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    Practices.Clear();
    for (auto& entry : scored) {
        Practices.Add(std::move(entry.second));
    }
}

std::vector<std::shared_ptr<VRN_Practice>> VRN_State::PracticesByGroup() const {
    std::vector<std::shared_ptr<VRN_Practice>> practices;
    for (const auto& group : PGroups) {
        practices.insert(practices.end(), group->PracticeParts.begin(), group->PracticeParts.end());
    }
    return practices;
}

std::shared_ptr<VRN_Practice> VRN_State::LastPracticeUpTo(const VRN_PracticeGroup& group) const {
    int position = PGroups.IndexOf(&group);
    if (position == 0) {
        return Practices.Empty() ? nullptr : Practices.Item(Practices.Count());
    }
    for (; position >= 1; --position) {
        const auto& parts = PGroups.Item(position)->PracticeParts;
        if (!parts.Empty()) {
            return parts.Item(parts.Count());
        }
    }
    return nullptr;
}

void VRN_State::PlacePracticeAfter(const std::shared_ptr<VRN_Practice>& p,
                                   const VRN_Practice* after) {
    if (after == nullptr) {
        Practices.InsertAfter(0, p);
    } else {
        Practices.AddAfter(after, p);
    }
}

}  // namespace vrn
