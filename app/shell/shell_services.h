#pragma once

#include "platform/program_starter.h"
#include "platform/prompt.h"
#include "platform/settings_store.h"

namespace vrn {

// The platform services the program's windows use: real ones in the program, doubles in tests.
struct ShellServices {
    SettingsStore& settings;
    Prompt& prompt;
    ProgramStarter& starter;
};

}  // namespace vrn
