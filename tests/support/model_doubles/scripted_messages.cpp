#include "tests/support/model_doubles/scripted_messages.h"

namespace vrn::testing {

MsgAnswer ScriptedMessages::Show(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                                 const std::string& title) {
    shown_.push_back({prompt, buttons, icon, title});
    if (script_.empty()) {
        return DefaultAnswer(buttons);
    }
    const MsgAnswer answer = script_.front();
    script_.pop_front();
    return answer;
}

}  // namespace vrn::testing
