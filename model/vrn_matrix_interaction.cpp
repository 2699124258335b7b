#include "model/vrn_matrix_interaction.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>
#include <utility>

#include "model/model_error.h"
#include "model/storage/block_pool.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"

namespace vrn {

std::shared_ptr<VRN_State> VRN_MatrixInteraction::parentState() const {
    const auto* state = std::get_if<std::weak_ptr<VRN_State>>(&partOf);
    return state != nullptr ? state->lock() : nullptr;
}

std::shared_ptr<VRN_Matrix> VRN_MatrixInteraction::parentMatrix() const {
    const auto* document = std::get_if<std::weak_ptr<VRN_Matrix>>(&partOf);
    return document != nullptr ? document->lock() : nullptr;
}

Collection<VRN_MatrixInteraction>* VRN_MatrixInteraction::parentInteractions(
    std::shared_ptr<void>& keepAlive) const {
    if (auto state = parentState()) {
        keepAlive = state;
        return &state->Interactions;
    }
    if (auto document = parentMatrix()) {
        keepAlive = document;
        return &document->Interactions;
    }
    return nullptr;
}

namespace {

// The values a user chooses, by code; any other value is kept in the extras.
const std::string kValues[] = {"", "+", "-", "?"};
constexpr std::uint8_t kOtherValue = std::size(kValues);

std::uint8_t ValueCode(const std::string& value) {
    const auto found = std::find(std::begin(kValues), std::end(kValues), value);
    return static_cast<std::uint8_t>(found - std::begin(kValues));
}

}  // namespace

const std::string& VRN_MatrixInteraction::Value() const {
    return valueCode_ == kOtherValue ? read().value : kValues[valueCode_];
}

void VRN_MatrixInteraction::setValue(const std::string& value) {
    valueCode_ = ValueCode(value);
    store(&Extras::value, valueCode_ == kOtherValue ? value : std::string());
    if (Display) {
        Display->setText(value);
    }
}

std::string VRN_MatrixInteraction::Description() const {
    const auto& attribute = read().interactionDescription;
    return attribute ? CatalogueText(attribute->Value()) : std::string(side_.Get(kDescription));
}

std::string VRN_MatrixInteraction::Discussion() const {
    const auto& attribute = read().interactionDiscussion;
    return attribute ? CatalogueText(attribute->Value()) : std::string(side_.Get(kDiscussion));
}

const VRN_MatrixInteraction::Extras& VRN_MatrixInteraction::read() const {
    static const Extras none;
    const Extras* extras = side_.extra();
    return extras != nullptr ? *extras : none;
}

VRN_MatrixInteraction::Extras& VRN_MatrixInteraction::write() {
    return side_.MakeExtra();
}

template <class T>
void VRN_MatrixInteraction::store(T Extras::*field, T value) {
    if (side_.extra() != nullptr || value != T{}) {
        write().*field = std::move(value);
    }
}

void VRN_MatrixInteraction::setDescription(const std::string& value) {
    side_.Set(kDescription, value);
}
void VRN_MatrixInteraction::setDiscussion(const std::string& value) {
    side_.Set(kDiscussion, value);
}
void VRN_MatrixInteraction::setVisioObject(std::shared_ptr<ReportObject> value) {
    store(&Extras::VisioObject, std::move(value));
}
void VRN_MatrixInteraction::setImportanceVisioObject(std::shared_ptr<ReportObject> value) {
    store(&Extras::ImportanceVisioObject, std::move(value));
}
void VRN_MatrixInteraction::setHyper(std::shared_ptr<ReportObject> value) {
    store(&Extras::hyper, std::move(value));
}
void VRN_MatrixInteraction::setEntity_UID(const std::string& value) {
    store(&Extras::entity_UID, value);
}
void VRN_MatrixInteraction::setEntity_ID(std::int32_t value) {
    store(&Extras::entity_ID, value);
}
void VRN_MatrixInteraction::setEntity_type(std::int16_t value) {
    store(&Extras::entity_type, value);
}
void VRN_MatrixInteraction::setEntity_name(const std::string& value) {
    store(&Extras::Entity_name, value);
}
void VRN_MatrixInteraction::setRel_ID(std::int32_t value) {
    store(&Extras::rel_ID, value);
}
void VRN_MatrixInteraction::setInteraction(std::shared_ptr<CatalogueObject> value) {
    store(&Extras::interaction, std::move(value));
}
void VRN_MatrixInteraction::setInteractionattr(std::shared_ptr<CatalogueAttribute> value) {
    store(&Extras::interactionattr, std::move(value));
}
void VRN_MatrixInteraction::setInteractionDescription(std::shared_ptr<CatalogueAttribute> value) {
    store(&Extras::interactionDescription, std::move(value));
}
void VRN_MatrixInteraction::setInteractionDiscussion(std::shared_ptr<CatalogueAttribute> value) {
    store(&Extras::interactionDiscussion, std::move(value));
}

std::shared_ptr<VRN_MatrixInteraction> VRN_MatrixInteraction::Create(
    const std::shared_ptr<VRN_State>& parent, const std::shared_ptr<VRN_Practice>& first,
    const std::shared_ptr<VRN_Practice>& second, MatrixWindow* window, bool makeBlank) {
    if (!parent) {
        throw ModelError("An interaction needs the state it belongs to.");
    }
    return link(std::weak_ptr<VRN_State>(parent), parent->Interactions, parent->InMatrix,
                parent->No_Display, first, second, window, makeBlank);
}

std::shared_ptr<VRN_MatrixInteraction> VRN_MatrixInteraction::Create(
    const std::shared_ptr<VRN_Matrix>& parent, const std::shared_ptr<VRN_Practice>& first,
    const std::shared_ptr<VRN_Practice>& second, MatrixWindow* window, bool makeBlank) {
    if (!parent) {
        throw ModelError("An interaction needs the matrix it belongs to.");
    }
    return link(std::weak_ptr<VRN_Matrix>(parent), parent->Interactions, parent, parent->No_Display,
                first, second, window, makeBlank);
}

std::shared_ptr<VRN_MatrixInteraction> VRN_MatrixInteraction::link(
    Parent parent, Collection<VRN_MatrixInteraction>& parentList,
    const std::weak_ptr<VRN_Matrix>& document, bool parentNo_Display,
    const std::shared_ptr<VRN_Practice>& first, const std::shared_ptr<VRN_Practice>& second,
    MatrixWindow* window, bool makeBlank, bool listInPractices, const std::string* toolTip) {
    if (!first || !second) {
        throw ModelError("An interaction needs two practices.");
    }
    // Interactions come in hundreds of thousands: their document's pool holds them.
    const auto owner = document.lock();
    auto interaction = owner ? std::allocate_shared<VRN_MatrixInteraction>(
                                   PoolAllocator<VRN_MatrixInteraction>(owner->interactionBlocks()))
                             : std::make_shared<VRN_MatrixInteraction>();
    interaction->is_blank = makeBlank;
    interaction->partOf = std::move(parent);
    interaction->InMatrix = document;
    interaction->No_Display = parentNo_Display;
    parentList.Add(interaction);

    interaction->Practice1 = first;
    interaction->practice2 = second;
    if (first->is_entity && second->is_entity) {
        interaction->takeCatalogueValues(*first, *second);
    }
    if (listInPractices) {
        first->Interactions.Add(interaction);
        second->Interactions.Add(interaction);
    }
    interaction->InForm = window;

    if (!interaction->No_Display && window != nullptr) {
        interaction->Display = window->CreateInteract(interaction);
        if (owner) {
            interaction->color = owner->VRN_InteractionColor;
        }
        if (const auto& cell = interaction->Display) {
            if (toolTip != nullptr) {
                cell->setToolTipText(*toolTip);
            } else {
                const std::string& note = interaction->Note();
                cell->setToolTipText(interaction->is_blank ? std::string()
                                     : note.empty()        ? std::string("Interaction")
                                                           : note);
            }
            // Colour 0 keeps the colour the window gave its new cell, as Draw does: black
            // would hide the value.
            if (interaction->color != 0) {
                cell->setBackColor(interaction->color);
            }
            cell->setText(interaction->Value());
            cell->setVisible(true);
        }
    }
    return interaction;
}

void VRN_MatrixInteraction::takeCatalogueValues(const VRN_Practice& first,
                                                const VRN_Practice& second) {
    std::shared_ptr<CatalogueObject> relation;
    std::shared_ptr<CatalogueAttribute> value;
    std::shared_ptr<CatalogueAttribute> description;
    std::shared_ptr<CatalogueAttribute> discussion;
    if (!first.has_interaction(second.entity_ID, relation, value, description, discussion)) {
        return;
    }
    // A relation without one of its attributes shows a blank in that place.
    const auto textOf = [](const std::shared_ptr<CatalogueAttribute>& attribute) {
        return attribute ? CatalogueText(attribute->Value()) : std::string(" ");
    };
    setValue(textOf(value));
    setDescription(textOf(description));
    setDiscussion(textOf(discussion));
    Extras& extras = write();
    extras.interaction = std::move(relation);
    extras.interactionattr = std::move(value);
    extras.interactionDescription = std::move(description);
    extras.interactionDiscussion = std::move(discussion);
}

void VRN_MatrixInteraction::Delete() {
    std::shared_ptr<void> parent;
    const std::shared_ptr<VRN_Practice> lists[] = {Practice1.lock(), practice2.lock()};
    Collection<VRN_MatrixInteraction>* parentList = parentInteractions(parent);
    if (Display) {
        Display->setVisible(false);
    }
    // The lists may hold the last references: `self` keeps this object alive to the end.
    std::shared_ptr<VRN_MatrixInteraction> self;
    const auto removeFrom = [this, &self](Collection<VRN_MatrixInteraction>& list) {
        if (const int position = list.IndexOf(this); position != 0) {
            if (!self) {
                self = list.Item(position);
            }
            list.Remove(position);
        }
    };
    if (parentList != nullptr) {
        removeFrom(*parentList);
    }
    for (const auto& practice : lists) {
        if (practice) {
            removeFrom(practice->Interactions);
        }
    }
}

void VRN_MatrixInteraction::DeleteAll(
    const std::vector<std::shared_ptr<VRN_MatrixInteraction>>& doomed) {
    std::unordered_set<const VRN_MatrixInteraction*> gone;
    std::unordered_set<Collection<VRN_MatrixInteraction>*> lists;
    std::vector<std::shared_ptr<void>> owners;  // keep every list alive during the passes
    for (const auto& interaction : doomed) {
        gone.insert(interaction.get());
        if (interaction->Display) {
            interaction->Display->setVisible(false);
        }
        std::shared_ptr<void> parent;
        if (auto* list = interaction->parentInteractions(parent); list != nullptr) {
            if (lists.insert(list).second) {
                owners.push_back(std::move(parent));
            }
        }
        for (const auto& link : {interaction->Practice1, interaction->practice2}) {
            if (auto practice = link.lock();
                practice && lists.insert(&practice->Interactions).second) {
                owners.push_back(std::move(practice));
            }
        }
    }
    for (auto* list : lists) {
        list->RemoveIf([&gone](const auto& entry) { return gone.contains(entry.get()); });
    }
}

void VRN_MatrixInteraction::RemoveFromParent() {
    std::shared_ptr<void> parent;
    if (auto* list = parentInteractions(parent); list != nullptr) {
        // This object may be destroyed here; nothing after touches it.
        list->RemoveItem(this);
    }
}

}  // namespace vrn
