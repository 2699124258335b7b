#pragma once

#include "platform/program_starter.h"
#include "platform/prompt.h"

namespace vrn {

// Opens a link text from a matrix (a practice's or an interaction's link) in the browser.
// The text is data, never a command: it goes to the browser as one argument, or, without a
// browser in the preferences, to the desktop's handler when it is an http, https, mailto or file
// link. Failures are reported to the user in a message box.
class BrowserLauncher {
public:
    enum class Outcome {
        NothingToOpen,  // the text is blank
        Started,
        Refused,  // a link that may not be opened this way
        Failed,   // the browser or the handler could not be started
    };

    BrowserLauncher(ProgramStarter& starter, Prompt& prompt);

    Outcome openInBrowser(const QString& text, const QString& browserPath);

private:
    Outcome report(Outcome outcome, const QString& message);

    ProgramStarter& starter_;
    Prompt& prompt_;
};

}  // namespace vrn
