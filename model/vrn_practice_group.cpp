#include "model/vrn_practice_group.h"

#include "model/model_error.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_state.h"

namespace vrn {

void VRN_PracticeGroup::setHorizontal(bool value) {
    horizontal_ = value;
    for (const auto& practice : PracticeParts) {
        practice->horizontal = value;
    }
}

std::shared_ptr<VRN_State> VRN_PracticeGroup::requireState(const char* operation) const {
    auto owner = partOf.lock();
    if (!owner) {
        throw ModelError(std::string(operation) + ": the practice group '" + Name() +
                         "' no longer belongs to a state.");
    }
    return owner;
}

void VRN_PracticeGroup::Create(const std::string& name, bool isHorizontal,
                               const std::shared_ptr<VRN_State>& owner, MatrixWindow* window,
                               bool isEntity, const std::string& entityUID, std::int32_t entityID,
                               const std::shared_ptr<CatalogueEntity>& /*pg_entity*/,
                               const std::shared_ptr<VRN_PracticeGroup>& startup_PG, bool makeEmpty,
                               bool makeBlank) {
    if (!owner) {
        throw ModelError("A practice group needs the state it belongs to.");
    }
    is_blank = makeBlank;
    setHorizontal(isHorizontal);
    InForm = window;
    partOf = owner;
    InMatrix = owner->InMatrix;
    No_Display = owner->No_Display;
    if (!No_Display && InForm != nullptr) {
        Display = InForm->CreatePracticeGroup(horizontal_, shared_from_this());
    }
    setName(name);
    DisplayPG = !No_Display;
    if (!startup_PG) {
        if (isEntity) {
            is_entity = true;
            entity_UID = entityUID;
            entity_ID = entityID;
        }
    } else {
        is_entity = startup_PG->is_entity;
        copyStartupPractices(*startup_PG);
    }
    FormatDisplay();
    if (PracticeParts.Empty() && !makeEmpty) {
        createDefaultPractice(owner);
    }
}

void VRN_PracticeGroup::copyStartupPractices(const VRN_PracticeGroup& startup_PG) {
    const auto self = shared_from_this();
    const auto document = InMatrix.lock();
    for (const auto& source : startup_PG.PracticeParts.Snapshot()) {
        auto practice = std::make_shared<VRN_Practice>();
        practice->Create(source->Name(), horizontal_, self, InForm, nullptr, source->is_entity,
                         source->is_entity ? source->entity_UID : std::string(),
                         source->is_entity ? source->entity_ID : 0, false);
        // Made after Create, so that the option group knows the practice's window.
        if (source->OptionGroup) {
            practice->copyOptionGroup(*source->OptionGroup);
        }
        if (document) {
            practice->color = document->User_PracticeOptionsColor;
        }
        PracticeParts.Add(practice);
    }
}

void VRN_PracticeGroup::createDefaultPractice(const std::shared_ptr<VRN_State>& owner) {
    const std::string name =
        is_blank ? std::string()
                 : std::string(horizontal_ ? "New Practice " : "Existing Practice ") + "1";
    auto practice = std::make_shared<VRN_Practice>();
    if (owner->PGroups.Count() == 1) {
        practice->Create(name, horizontal_, shared_from_this(), InForm, nullptr, false, {}, 0,
                         is_blank);
    } else {
        practice->createIn(name, horizontal_, shared_from_this(), InForm,
                           VRN_Practice::InGroupOrder(*this), false, {}, 0, is_blank);
    }
    PracticeParts.Add(practice);
}

void VRN_PracticeGroup::AddAfterMe(const std::shared_ptr<VRN_PracticeGroup>& pg,
                                   bool newPracticeGroup) {
    if (!pg) {
        throw ModelError("AddAfterMe needs the practice group to insert.");
    }
    const auto owner = requireState("AddAfterMe");
    owner->PGroups.AddAfter(this, pg);
    if (newPracticeGroup) {
        return;
    }
    // An existing group brings its practices: they follow this group's practices.
    const auto after = owner->LastPracticeUpTo(*this);
    int position = 0;
    if (after) {
        position = owner->Practices.IndexOf(after.get());
        if (position == 0) {
            position = owner->Practices.Count();
        }
    }
    for (const auto& practice : pg->PracticeParts) {
        owner->Practices.InsertAfter(position++, practice);
    }
    pg->partOf = owner;
}

std::shared_ptr<VRN_PracticeGroup> VRN_PracticeGroup::AddNewPracticeGroup(const std::string& name) {
    const auto owner = requireState("AddNewPracticeGroup");
    auto group = std::make_shared<VRN_PracticeGroup>();
    AddAfterMe(group, true);
    group->Create(name, horizontal_, owner, InForm);
    return group;
}

std::shared_ptr<VRN_PracticeGroup> VRN_PracticeGroup::AddBlankPracticeGroup() {
    const auto owner = requireState("AddBlankPracticeGroup");
    auto group = std::make_shared<VRN_PracticeGroup>();
    AddAfterMe(group, true);
    group->Create("", horizontal_, owner, InForm, false, {}, 0, nullptr, nullptr, false, true);
    return group;
}

void VRN_PracticeGroup::Copy(const std::shared_ptr<VRN_PracticeGroup>& pgs,
                             const std::shared_ptr<VRN_PracticeGroup>& pg) {
    if (!pgs || !pg) {
        throw ModelError("Copying a practice group needs the group and the group to follow.");
    }
    const auto owner = pg->requireState("Copy");
    Create(pgs->Name(), pg->horizontal(), owner, pg->InForm, false, {}, 0, nullptr, nullptr, true,
           false);
    is_entity = pgs->is_entity;
    if (is_entity) {
        entity_UID = pgs->entity_UID;
        entity_ID = pgs->entity_ID;
    }
    const auto self = shared_from_this();
    pg->AddAfterMe(self, false);
    for (const auto& source : pgs->PracticeParts.Snapshot()) {
        std::make_shared<VRN_Practice>()->Copy(source, self);
    }
}

void VRN_PracticeGroup::AddPractice(const std::shared_ptr<VRN_Practice>& p,
                                    std::shared_ptr<VRN_Practice>& p_before) {
    const auto owner = partOf.lock();
    if (!p || !owner || !owner->PGroups.Contains(this)) {
        if (const auto document = InMatrix.lock()) {
            document->Context.MsgBox("Error");
        }
        return;
    }
    p_before = owner->LastPracticeUpTo(*this);
    owner->PlacePracticeAfter(p, p_before.get());
    PracticeParts.Add(p);
    p->partOf = shared_from_this();
}

void VRN_PracticeGroup::Delete() {
    const auto self = shared_from_this();  // the state may hold the last reference
    if (Display) {
        Display->setVisible(false);
    }
    VRN_Practice::DeleteAll(PracticeParts.Snapshot());
    if (const auto owner = partOf.lock()) {
        owner->PGroups.RemoveItem(this);
    }
}

void VRN_PracticeGroup::RemoveFromParents() {
    const auto self = shared_from_this();
    if (const auto owner = partOf.lock()) {
        owner->PGroups.RemoveItem(this);
    }
    const auto practices = PracticeParts.Snapshot();
    for (const auto& practice : practices) {
        practice->RemoveFromParents();
    }
    for (const auto& practice : practices) {
        PracticeParts.Add(practice);
        practice->partOf = self;
    }
}

}  // namespace vrn
