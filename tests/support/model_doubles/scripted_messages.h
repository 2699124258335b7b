#pragma once

#include <deque>
#include <string>
#include <vector>

#include "model/interfaces/message_service.h"

namespace vrn::testing {

// Message boxes for tests: every box is recorded, and answered from the script in order; with
// the script used up a box gets its first button, as if the user pressed Enter.
class ScriptedMessages : public MessageService {
public:
    struct Box {
        std::string prompt;
        MsgButtons buttons = MsgButtons::OKOnly;
        MsgIcon icon = MsgIcon::None;
        std::string title;
    };

    void Answer(MsgAnswer answer) { script_.push_back(answer); }
    const std::vector<Box>& shown() const { return shown_; }

protected:
    MsgAnswer Show(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                   const std::string& title) override;

private:
    std::deque<MsgAnswer> script_;
    std::vector<Box> shown_;
};

}  // namespace vrn::testing
