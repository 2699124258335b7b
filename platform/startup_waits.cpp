#include "platform/startup_waits.h"

#include <QByteArray>
#include <QtGlobal>

namespace vrn {

namespace {

bool switchedOn(const char* variable) {
    const QByteArray value = qgetenv(variable);
    return !value.isEmpty() && value != "0";
}

}  // namespace

bool skipStartupWaits() {
    return switchedOn(kSkipSplashWaitVariable);
}

bool acceptNoticeAutomatically() {
    return switchedOn(kAcceptNoticeVariable);
}

int startupWaitMs(int designMs) {
    return skipStartupWaits() ? 0 : designMs;
}

}  // namespace vrn
