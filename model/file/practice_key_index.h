#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "model/collection.h"
#include "model/model_fwd.h"

namespace vrn {

// Finds the practices an interaction record names by their keys, in constant time. The answer is
// that of a search through the practices in the order they were added, testing the first key
// before the second: the last practice with a key wins, and a practice whose key is the first key
// is never taken for the second.
class PracticeKeyIndex {
public:
    void Add(const Collection<VRN_Practice>& practices);

    // The practices found, held by the index; null where none has the key.
    struct Found {
        const std::shared_ptr<VRN_Practice>* Practice1 = nullptr;
        const std::shared_ptr<VRN_Practice>* practice2 = nullptr;
    };
    Found Resolve(std::int32_t key1, std::int32_t key2) const;

private:
    const std::shared_ptr<VRN_Practice>* find(std::int32_t key) const;

    std::unordered_map<std::int32_t, std::shared_ptr<VRN_Practice>> byKey_;
};

}  // namespace vrn
