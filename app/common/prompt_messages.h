#pragma once

#include "model/interfaces/message_service.h"
#include "platform/prompt.h"

namespace vrn {

// The model's message boxes shown through the program's prompt.
class PromptMessages : public MessageService {
public:
    explicit PromptMessages(Prompt& prompt) : prompt_(prompt) {}

protected:
    MsgAnswer Show(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                   const std::string& title) override;

private:
    Prompt& prompt_;
};

}  // namespace vrn
