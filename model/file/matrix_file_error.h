#pragma once

#include <stdexcept>
#include <string>

#include "model/interfaces/message_service.h"

namespace vrn {

// A matrix file operation that could not be carried out: a file that cannot be opened, read or
// saved, or one whose format version is refused. The document is as it was before the call.
// The model never shows these itself: the caller puts what() to the user, with title() and
// icon(), once.
class MatrixFileError : public std::runtime_error {
public:
    explicit MatrixFileError(const std::string& message, std::string title = {},
                             MsgIcon icon = MsgIcon::Critical)
        : std::runtime_error(message), title_(std::move(title)), icon_(icon) {}

    const std::string& title() const noexcept { return title_; }
    MsgIcon icon() const noexcept { return icon_; }

private:
    std::string title_;
    MsgIcon icon_;
};

}  // namespace vrn
