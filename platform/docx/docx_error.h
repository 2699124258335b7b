#pragma once

#include <stdexcept>
#include <string>

namespace vrn {

// A document that cannot be built or written: a picture that is not PNG, a call outside an open
// document, a package the zip library refuses.
class DocxError : public std::runtime_error {
public:
    explicit DocxError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vrn
