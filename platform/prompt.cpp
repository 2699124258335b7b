#include "platform/prompt.h"

namespace vrn {

MsgBoxResult escapeAnswer(MsgBoxButtons buttons) {
    switch (buttons) {
        case MsgBoxButtons::OkOnly:
            return MsgBoxResult::Ok;
        case MsgBoxButtons::AbortRetryIgnore:
            return MsgBoxResult::Abort;
        case MsgBoxButtons::YesNo:
            return MsgBoxResult::No;
        case MsgBoxButtons::OkCancel:
        case MsgBoxButtons::YesNoCancel:
        case MsgBoxButtons::RetryCancel:
            break;
    }
    return MsgBoxResult::Cancel;
}

}  // namespace vrn
