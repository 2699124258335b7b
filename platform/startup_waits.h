#pragma once

namespace vrn {

// Name of the environment variable that makes the splash and sponsor windows go on at once
// (any value but empty and "0"); tests and scripted runs set it.
inline constexpr char kSkipSplashWaitVariable[] = "VRN_SKIP_SPLASH_WAIT";
// Name of the environment variable that accepts the start-up notice without showing it, for
// scripted runs that nobody watches.
inline constexpr char kAcceptNoticeVariable[] = "VRN_ACCEPT_NOTICE";

bool skipStartupWaits();
bool acceptNoticeAutomatically();

// The wait of a start-up window: its design interval, or 0 when the waits are skipped.
int startupWaitMs(int designMs);

}  // namespace vrn
