#pragma once

#include <QTimer>

namespace vrn {

// A timer that fires once each time it is armed, as the windows' timers do: code enables it,
// and when it fires it is disabled again. Enabling an armed timer leaves its countdown alone.
class OneShotTimer : public QTimer {
    Q_OBJECT
public:
    explicit OneShotTimer(int intervalMs, QObject* parent = nullptr);

    void setEnabled(bool enabled);
    bool isEnabled() const { return isActive(); }
};

}  // namespace vrn
