#include "model/vrn_practice.h"

#include <string_view>
#include <unordered_set>

#include "model/model_error.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

std::shared_ptr<VRN_State> VRN_Practice::state() const {
    const auto owner = partOf.lock();
    return owner ? owner->partOf.lock() : nullptr;
}

std::shared_ptr<VRN_PracticeGroup> VRN_Practice::requireGroup() const {
    auto owner = partOf.lock();
    if (!owner) {
        throw ModelError("The practice '" + Name() + "' no longer belongs to a practice group.");
    }
    return owner;
}

VRN_Practice::Placement VRN_Practice::InGroupOrder(const VRN_PracticeGroup& group) {
    return [&group](VRN_State& owner, const std::shared_ptr<VRN_Practice>& practice) {
        owner.PlacePracticeAfter(practice, owner.LastPracticeUpTo(group).get());
    };
}

void VRN_Practice::Create(const std::string& name, bool isHorizontal,
                          const std::shared_ptr<VRN_PracticeGroup>& group, MatrixWindow* window,
                          const std::shared_ptr<VRN_Practice>& afterPractice, bool isEntity,
                          const std::string& entityUID, std::int32_t entityID, bool makeBlank) {
    const Placement place = [&afterPractice](VRN_State& owner,
                                             const std::shared_ptr<VRN_Practice>& practice) {
        if (afterPractice) {
            owner.Practices.AddAfter(afterPractice.get(), practice);
        } else {
            owner.Practices.Add(practice);
        }
    };
    createIn(name, isHorizontal, group, window, place, isEntity, entityUID, entityID, makeBlank);
}

void VRN_Practice::createIn(const std::string& name, bool isHorizontal,
                            const std::shared_ptr<VRN_PracticeGroup>& group, MatrixWindow* window,
                            const Placement& place, bool isEntity, const std::string& entityUID,
                            std::int32_t entityID, bool makeBlank) {
    if (!group) {
        throw ModelError("A practice needs the practice group it belongs to.");
    }
    const auto owner = group->partOf.lock();
    if (!owner) {
        throw ModelError("The practice group '" + group->Name() +
                         "' no longer belongs to a state.");
    }
    const auto self = shared_from_this();
    is_blank = makeBlank;
    horizontal = isHorizontal;
    InForm = window;
    partOf = group;
    InMatrix = group->InMatrix;
    No_Display = group->No_Display;
    const bool withWindow = !No_Display && InForm != nullptr;
    if (withWindow) {
        Display = InForm->CreatePracticeGroup(horizontal, self);
    }
    is_entity = isEntity;
    if (is_entity) {
        entity_UID = entityUID;
        entity_ID = entityID;
    }
    place(*owner, self);
    FormatDisplay();
    setName(name);
    if (withWindow) {
        createImportanceBox();
    }
    createInteractions(owner);
}

void VRN_Practice::createImportanceBox() {
    Importance = InForm->CreatePracticeGroup(horizontal, shared_from_this());
    if (Importance) {
        Importance->setVisible(false);
        Importance->setText("");
        const float side = !Display ? 0.0f : horizontal ? Display->Width() : Display->Height();
        Importance->setHeight(side);
        Importance->setWidth(Importance->Height());
    }
}

void VRN_Practice::createInteractions(const std::shared_ptr<VRN_State>& owner) {
    const auto self = shared_from_this();
    for (const auto& group : owner->PGroups) {
        for (const auto& other : group->PracticeParts) {
            if (other.get() != this) {
                VRN_MatrixInteraction::Create(owner, self, other, InForm,
                                              is_blank || other->is_blank);
            }
        }
    }

    const auto document = owner->partOf.lock();
    if (!document) {
        return;
    }
    const auto makeCross = [&](const std::shared_ptr<VRN_Practice>& other) {
        VRN_MatrixInteraction::Create(document, self, other, InForm, is_blank || other->is_blank);
    };
    // Partners come from the groups, never from Practices: the layout leaves a hidden group's
    // practices out of Practices, and they still need their cross interactions.
    if (owner != document->Existing()) {
        for (const auto& other : document->Existing()->PracticesByGroup()) {
            makeCross(other);
        }
    } else {
        for (const auto& alternative : document->Alternatives_col) {
            for (const auto& other : alternative->PracticesByGroup()) {
                makeCross(other);
            }
        }
    }
}

void VRN_Practice::Copy(const std::shared_ptr<VRN_Practice>& SP,
                        const std::shared_ptr<VRN_PracticeGroup>& pg) {
    if (!SP || !pg) {
        throw ModelError("Copying a practice needs the practice and the group to copy it into.");
    }
    // The copy joins Practices next to its group, like every other new practice.
    createIn(SP->Name(), pg->horizontal(), pg, pg->InForm, InGroupOrder(*pg), SP->is_entity,
             SP->is_entity ? SP->entity_UID : std::string(), SP->is_entity ? SP->entity_ID : 0,
             false);
    if (SP->OptionGroup) {
        copyOptionGroup(*SP->OptionGroup);
    }
    color = SP->color;
    pg->PracticeParts.Add(shared_from_this());
}

void VRN_Practice::copyOptionGroup(const VRN_Optiongroup& source) {
    auto options = std::make_shared<VRN_Optiongroup>();
    options->Create(source.Name(), shared_from_this(), InForm);
    options->Prompt = source.Prompt;
    options->setDescription(source.Description());
    options->Discussion = source.Discussion;
    options->Enabled = source.Enabled;
    options->is_entity = source.is_entity;
    options->entity_UID = source.entity_UID;
    for (const auto& sourceOption : source.Options) {
        auto option = std::make_shared<VRN_Option>();
        option->Create(sourceOption->Name(), options, InForm);
        option->setDescription(sourceOption->Description());
        option->Discussion = sourceOption->Discussion;
        option->is_entity = sourceOption->is_entity;
        option->entity_UID = sourceOption->entity_UID;
    }
}

void VRN_Practice::AddAfterMe(const std::shared_ptr<VRN_Practice>& p, bool newPractice) {
    const auto group = requireGroup();
    group->PracticeParts.AddAfter(this, p);
    if (newPractice) {
        return;
    }
    if (const auto owner = group->partOf.lock()) {
        owner->Practices.AddAfter(this, p);
    }
    p->partOf = group;
}

std::shared_ptr<VRN_Practice> VRN_Practice::AddNewPractice(const std::string& name) {
    const auto group = requireGroup();
    auto practice = std::make_shared<VRN_Practice>();
    practice->Create(name, horizontal, group, InForm, shared_from_this());
    AddAfterMe(practice, true);
    return practice;
}

void VRN_Practice::Delete() {
    DeleteAll({shared_from_this()});
}

void VRN_Practice::DeleteAll(const std::vector<std::shared_ptr<VRN_Practice>>& practices) {
    std::unordered_set<const VRN_Practice*> gone;
    std::unordered_set<const VRN_MatrixInteraction*> listed;
    std::vector<std::shared_ptr<VRN_MatrixInteraction>> doomed;
    std::unordered_set<VRN_Matrix*> documentsSeen;
    std::vector<std::shared_ptr<VRN_Matrix>> documents;
    for (const auto& practice : practices) {
        gone.insert(practice.get());
        if (practice->Display) {
            practice->Display->setVisible(false);
        }
        if (practice->Importance) {
            practice->Importance->setVisible(false);
        }
        for (const auto& interaction : practice->Interactions) {
            if (listed.insert(interaction.get()).second) {
                doomed.push_back(interaction);
            }
        }
        if (auto document = practice->InMatrix.lock();
            document && documentsSeen.insert(document.get()).second) {
            documents.push_back(std::move(document));
        }
    }
    // A cross interaction may name a practice without being in its list (a damaged file):
    // sweep the documents' lists too.
    const auto namesGone = [&gone](const std::weak_ptr<VRN_Practice>& link) {
        return gone.contains(link.lock().get());
    };
    for (const auto& document : documents) {
        for (const auto& interaction : document->Interactions) {
            if (!listed.contains(interaction.get()) &&
                (namesGone(interaction->Practice1) || namesGone(interaction->practice2))) {
                listed.insert(interaction.get());
                doomed.push_back(interaction);
            }
        }
    }
    VRN_MatrixInteraction::DeleteAll(doomed);

    for (const auto& practice : practices) {
        if (const auto group = practice->partOf.lock()) {
            group->PracticeParts.RemoveItem(practice.get());
            if (const auto owner = group->partOf.lock()) {
                owner->Practices.RemoveItem(practice.get());
            }
        }
    }
}

void VRN_Practice::RemoveFromParents() {
    const auto self = shared_from_this();  // the lists may hold the last references
    if (const auto group = partOf.lock()) {
        group->PracticeParts.RemoveItem(this);
        if (const auto owner = group->partOf.lock()) {
            owner->Practices.RemoveItem(this);
        }
    }
    partOf.reset();
}

int VRN_Practice::Value() const {
    int score = 0;
    for (const auto& interaction : Interactions) {
        const auto first = interaction->Practice1.lock();
        const auto partner = first.get() == this ? interaction->practice2.lock() : first;
        // Only interactions across the matrix count.
        if (!partner || partner->horizontal == horizontal) {
            continue;
        }
        if (interaction->Value() == "+") {
            ++score;
        } else if (interaction->Value() == "-") {
            --score;
        }
    }
    const auto document = InMatrix.lock();
    if (document && document->Context.viewChecked(ViewMark::mnuViewWeightedSort)) {
        score *= ImportanceWeight(importanceText());
    }
    return score;
}

std::string VRN_Practice::importanceText() const {
    return Importance ? Importance->text() : Importance_value;
}

int VRN_Practice::ImportanceWeight(const std::string& importance) {
    // The importance menu writes " " for no rating and names it "'0'": blanks, the quotes around
    // a rating and a bare "0" weigh as empty.
    const auto trimmed = [](std::string_view text) {
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos) {
            return std::string_view();
        }
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    };
    std::string_view rating = trimmed(importance);
    if (rating.size() >= 2 && rating.front() == '\'' && rating.back() == '\'') {
        rating = trimmed(rating.substr(1, rating.size() - 2));
    }
    if (rating.empty() || rating == "0") {
        return 3;
    }
    if (rating == "+2") {
        return 5;
    }
    if (rating == "+1") {
        return 4;
    }
    if (rating == "-1") {
        return 2;
    }
    if (rating == "-2") {
        return 1;
    }
    return 0;
}

bool VRN_Practice::has_interaction(
    std::int32_t /*Target_entity_ID*/, std::shared_ptr<CatalogueObject>& /*interaction*/,
    std::shared_ptr<CatalogueAttribute>& /*interactionattr*/,
    std::shared_ptr<CatalogueAttribute>& /*interactionDescription*/,
    std::shared_ptr<CatalogueAttribute>& /*interactionDiscussion*/) const {
    return false;
}

}  // namespace vrn
