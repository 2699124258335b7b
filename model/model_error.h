#pragma once

#include <stdexcept>
#include <string>

namespace vrn {

// An operation of the matrix model that cannot be carried out: a refused request (deleting the
// last alternative) or an element that no longer belongs to a document.
class ModelError : public std::runtime_error {
public:
    explicit ModelError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vrn
