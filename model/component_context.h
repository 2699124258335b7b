#pragma once

#include "model/interfaces/main_view.h"
#include "model/interfaces/message_service.h"

namespace vrn {

// What the component shares with the program that runs it, handed to every document explicitly
// (by CreateNew, and by the file reader): the main window whose View marks the model reads and
// sets, whether the program is the stand-alone one, and where messages to the user go. Either
// pointer may be null: the model then reads every View mark as unchecked and shows no message.
// The program keeps both objects alive for as long as any document exists.
struct ComponentContext {
    MainView* MainForm = nullptr;
    bool VRN_Running_Standalone = false;
    MessageService* Messages = nullptr;

    bool viewChecked(ViewMark mark) const { return MainForm != nullptr && MainForm->Checked(mark); }

    MsgAnswer MsgBox(const std::string& prompt, MsgButtons buttons = MsgButtons::OKOnly,
                     MsgIcon icon = MsgIcon::None, const std::string& title = {}) const {
        return Messages != nullptr ? Messages->MsgBox(prompt, buttons, icon, title)
                                   : DefaultAnswer(buttons);
    }
};

}  // namespace vrn
