#include "platform/one_shot_timer.h"

namespace vrn {

OneShotTimer::OneShotTimer(int intervalMs, QObject* parent) : QTimer(parent) {
    setSingleShot(true);
    setInterval(intervalMs);
}

void OneShotTimer::setEnabled(bool enabled) {
    if (!enabled) {
        stop();
    } else if (!isActive()) {
        start();
    }
}

}  // namespace vrn
