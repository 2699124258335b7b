#include "model/file/practice_key_index.h"

#include "model/vrn_practice.h"

namespace vrn {

void PracticeKeyIndex::Add(const Collection<VRN_Practice>& practices) {
    byKey_.reserve(byKey_.size() + static_cast<std::size_t>(practices.Count()));
    for (const auto& practice : practices) {
        byKey_.insert_or_assign(practice->Key, practice);
    }
}

const std::shared_ptr<VRN_Practice>* PracticeKeyIndex::find(std::int32_t key) const {
    const auto found = byKey_.find(key);
    return found == byKey_.end() ? nullptr : &found->second;
}

PracticeKeyIndex::Found PracticeKeyIndex::Resolve(std::int32_t key1, std::int32_t key2) const {
    return {find(key1), key2 == key1 ? nullptr : find(key2)};
}

}  // namespace vrn
