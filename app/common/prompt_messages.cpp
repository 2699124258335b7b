#include "app/common/prompt_messages.h"

#include <QString>

namespace vrn {

namespace {

MsgBoxButtons toPromptButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OKOnly:
            return MsgBoxButtons::OkOnly;
        case MsgButtons::OKCancel:
            return MsgBoxButtons::OkCancel;
        case MsgButtons::AbortRetryIgnore:
            return MsgBoxButtons::AbortRetryIgnore;
        case MsgButtons::YesNoCancel:
            return MsgBoxButtons::YesNoCancel;
        case MsgButtons::YesNo:
            return MsgBoxButtons::YesNo;
        case MsgButtons::RetryCancel:
            return MsgBoxButtons::RetryCancel;
    }
    return MsgBoxButtons::OkOnly;
}

MsgBoxIcon toPromptIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return MsgBoxIcon::None;
        case MsgIcon::Critical:
            return MsgBoxIcon::Critical;
        case MsgIcon::Question:
            return MsgBoxIcon::Question;
        case MsgIcon::Exclamation:
            return MsgBoxIcon::Exclamation;
        case MsgIcon::Information:
            return MsgBoxIcon::Information;
    }
    return MsgBoxIcon::None;
}

MsgAnswer toModelAnswer(MsgBoxResult result) {
    switch (result) {
        case MsgBoxResult::Ok:
            return MsgAnswer::OK;
        case MsgBoxResult::Cancel:
            return MsgAnswer::Cancel;
        case MsgBoxResult::Abort:
            return MsgAnswer::Abort;
        case MsgBoxResult::Retry:
            return MsgAnswer::Retry;
        case MsgBoxResult::Ignore:
            return MsgAnswer::Ignore;
        case MsgBoxResult::Yes:
            return MsgAnswer::Yes;
        case MsgBoxResult::No:
            return MsgAnswer::No;
    }
    return MsgAnswer::Cancel;
}

}  // namespace

MsgAnswer PromptMessages::Show(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                               const std::string& title) {
    const MsgBoxStyle style{.buttons = toPromptButtons(buttons), .icon = toPromptIcon(icon)};
    return toModelAnswer(
        prompt_.messageBox(QString::fromStdString(prompt), style, QString::fromStdString(title)));
}

}  // namespace vrn
