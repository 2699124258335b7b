#pragma once

#include "platform/prompt.h"

#include <exception>

namespace vrn {

// Runs one user command. A failure ends the command and is shown to the user instead of
// escaping into the event loop, which would end the program.
template <class Command>
void runGuarded(Prompt& prompt, Command&& command) {
    try {
        command();
    } catch (const std::exception& error) {
        prompt.messageBox(QString::fromUtf8(error.what()), {.icon = MsgBoxIcon::Critical},
                          QStringLiteral("Error"));
    }
}

}  // namespace vrn
