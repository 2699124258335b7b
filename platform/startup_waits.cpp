#include "platform/startup_waits.h"

#include <QByteArray>
#include <QtGlobal>

namespace vrn {

bool skipStartupWaits() {
    const QByteArray value = qgetenv(kSkipSplashWaitVariable);
    return !value.isEmpty() && value != "0";
}

int startupWaitMs(int designMs) {
    return skipStartupWaits() ? 0 : designMs;
}

}  // namespace vrn
