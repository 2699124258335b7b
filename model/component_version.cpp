#include "model/component_version.h"

namespace vrn {

std::string_view componentVersion() {
    return "0.1";
}

ComponentVersionNumbers componentVersionNumbers() {
    return {0, 1, 0};
}

}  // namespace vrn
