#include "app/matrixwin/editing_rules.h"

#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/prompt.h"

namespace vrn {

bool standsInDocument(const std::shared_ptr<VRN_PracticeGroup>& group) {
    if (group == nullptr || group->PracticeParts.Empty()) {
        return false;
    }
    const auto state = group->partOf.lock();
    return state != nullptr && state->PGroups.Contains(group.get());
}

bool mayRemoveGroup(Prompt& prompt, const VRN_PracticeGroup& group) {
    const auto state = group.partOf.lock();
    if (state != nullptr && state->PGroups.Count() == 1) {
        prompt.messageBox(QStringLiteral("I'm Sorry. I can't remove the last Practice Group of a "
                                         "Matrix. You can rename it, should you want to start "
                                         "over!"),
                          {.icon = MsgBoxIcon::Critical},
                          QStringLiteral("Can't Remove Last Practice"));
        return false;
    }
    return true;
}

}  // namespace vrn
