#pragma once

#include <QApplication>

#include <cstdlib>

namespace vrn::bench {

// The one application of a benchmark program, offscreen unless the caller chose a platform.
inline QApplication& offscreenApplication() {
    static int argc = 1;
    static char name[] = "vrn_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

}  // namespace vrn::bench
