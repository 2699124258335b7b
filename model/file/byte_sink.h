#pragma once

#include <string_view>

namespace vrn {

// Where a writer's bytes go: a file being saved, or memory.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

}  // namespace vrn
