#pragma once

#include <string>

namespace vrn {

enum class MsgButtons { OKOnly, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { OK, Cancel, Abort, Retry, Ignore, Yes, No };

// Message boxes put to the user. The program shows real ones; tests answer from a script.
class MessageService {
public:
    virtual ~MessageService() = default;

    // An empty title stands for the program's own title.
    MsgAnswer MsgBox(const std::string& prompt, MsgButtons buttons = MsgButtons::OKOnly,
                     MsgIcon icon = MsgIcon::None, const std::string& title = {}) {
        return Show(prompt, buttons, icon, title);
    }

protected:
    virtual MsgAnswer Show(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                           const std::string& title) = 0;
};

// The answer a box gives when the user just confirms it: its first button.
constexpr MsgAnswer DefaultAnswer(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::AbortRetryIgnore:
            return MsgAnswer::Abort;
        case MsgButtons::YesNoCancel:
        case MsgButtons::YesNo:
            return MsgAnswer::Yes;
        case MsgButtons::RetryCancel:
            return MsgAnswer::Retry;
        case MsgButtons::OKOnly:
        case MsgButtons::OKCancel:
            break;
    }
    return MsgAnswer::OK;
}

}  // namespace vrn
