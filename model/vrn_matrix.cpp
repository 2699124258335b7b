#include "model/vrn_matrix.h"

#include <limits>

#include "model/model_error.h"
#include "model/truth_values.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

namespace {

std::int16_t CountOf(const Collection<VRN_State>& states) {
    return static_cast<std::int16_t>(states.Count());
}

}  // namespace

const std::shared_ptr<VRN_State>& VRN_Matrix::Existing() {
    if (!existing_) {
        existing_ = std::make_shared<VRN_State>();
        existing_->partOf = weak_from_this();
        existing_->InMatrix = weak_from_this();
        existing_->InForm = InForm;
        existing_->No_Display = No_Display;
        existing_->version = version;
    }
    return existing_;
}

void VRN_Matrix::CreateNew(const ComponentContext& context, MatrixWindow* ParamInForm,
                           bool ParamNo_Display) {
    InForm = ParamInForm;
    Context = context;
    InMatrix = weak_from_this();
    No_Display = ParamNo_Display;
}

void VRN_Matrix::CreateInit(std::int16_t Default_num_alt, std::shared_ptr<CatalogueEntity> ent,
                            std::shared_ptr<VRN_PracticeGroup> startup_PG, bool Create_Empty) {
    if (Default_num_alt < 0) {
        throw ModelError("A matrix cannot have " + std::to_string(Default_num_alt) +
                         " alternatives.");
    }
    const auto self = shared_from_this();
    importing_alternative = false;
    Existing()->CreateNew(InForm, false, self, ent, startup_PG, "Existing Practices", Create_Empty);
    existing_->Active = true;

    for (int i = 1; i <= Default_num_alt; ++i) {
        auto state = std::make_shared<VRN_State>();
        state->CreateNew(InForm, true, self, nullptr, nullptr,
                         "Target Practices: Alternative " + std::to_string(i), Create_Empty);
        Alternatives_col.Add(std::move(state));
    }
    Alt_count = CountOf(Alternatives_col);
    use_alternative(true, 1);

    if (title.empty()) {
        title = "Varnel";
    }
    rpt_Options_Print = true;
    rpt_Export_Word = true;
    for (std::int16_t* flag :
         {&rpt_MatrixImage, &rpt_MatrixDescription, &rpt_MatrixAttribution,
          &rpt_CurrentPracticeDescriptions, &rpt_TargetPracticeDescriptions,
          &rpt_IncludeHiddenAlternatives, &rpt_IncludeAlternativeImages, &rpt_IncludeCustomFields,
          &rpt_IncludeCustomImages, &rpt_CurrentPracticeInteractions,
          &rpt_TargetPracticeInteractions, &rpt_CurrentTargetInteractions, &rpt_InteractionValues,
          &rpt_InteractionDescriptions, &rpt_BlankInteractions, &rpt_CurrentPractices}) {
        *flag = kTrue;
    }
}

std::shared_ptr<VRN_State> VRN_Matrix::alternative(std::optional<int> Alt_index) const {
    return Alternatives_col.Item(Alt_index.value_or(Alt_i));
}

std::shared_ptr<VRN_State> VRN_Matrix::activeAlternative() const {
    if (Alt_i < 1 || Alt_i > Alternatives_col.Count()) {
        return nullptr;
    }
    return Alternatives_col.Item(Alt_i);
}

void VRN_Matrix::use_alternative(bool enable, std::int16_t Alt_index) {
    if (!enable) {
        Use_Alter = false;
        return;
    }
    Use_Alter = true;
    Alt_i = Alt_index;
    int position = 1;
    for (const auto& state : Alternatives_col) {
        state->Active = position++ == Alt_index;
    }
}

void VRN_Matrix::new_alternative(const std::string& New_name, bool Create_Empty) {
    if (Alternatives_col.Count() >= std::numeric_limits<std::int16_t>::max()) {
        throw ModelError("A matrix cannot have more alternatives.");
    }
    auto state = std::make_shared<VRN_State>();
    state->CreateNew(InForm, true, shared_from_this(), nullptr, nullptr, New_name, Create_Empty);
    Alternatives_col.Add(std::move(state));
    Alt_count = CountOf(Alternatives_col);
}

void VRN_Matrix::delete_alternative() {
    const auto doomed = Alternatives_col.Item(Alt_i);
    if (Alternatives_col.Count() == 1) {
        throw ModelError("The alternative '" + doomed->Name +
                         "' is the only one of this matrix and cannot be deleted.");
    }
    doomed->Delete();
    Alternatives_col.Remove(Alt_i);
    Alt_count = CountOf(Alternatives_col);
    Alt_i = Alt_count;
    Alternatives_col.Item(Alt_count)->Active = true;
}

}  // namespace vrn
