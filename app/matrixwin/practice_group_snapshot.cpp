#include "app/matrixwin/practice_group_snapshot.h"

#include "model/vrn_matrix.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

namespace vrn {

std::shared_ptr<VRN_PracticeGroup> SnapshotOf(const std::shared_ptr<VRN_PracticeGroup>& group,
                                              const ComponentContext& context) {
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew(context, nullptr, true);
    document->CreateInit(0);
    // The copy goes after the new document's own first group, as a paste would place it.
    auto copy = std::make_shared<VRN_PracticeGroup>();
    copy->Copy(group, document->Existing()->PGroups.Item(1));
    // Shares ownership of the document, which holds the copy.
    return {document, copy.get()};
}

}  // namespace vrn
