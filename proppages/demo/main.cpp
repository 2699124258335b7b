#include "proppages/demo/demo_window.h"
#include "proppages/property_frame.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace {

// With STV20PP_SCREENSHOTS set to a folder, the demo saves a picture of itself with each page
// shown in turn ("01-Button General.png" and so on), prints each path and ends.
int saveScreenshots(vrn::pp::DemoWindow& window, const QString& folder) {
    QDir().mkpath(folder);
    QTabWidget* tabs = window.frame()->tabs();
    int failures = 0;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        const QString path = QDir(folder).filePath(
            QStringLiteral("%1-%2.png").arg(i + 1, 2, 10, QLatin1Char('0')).arg(tabs->tabText(i)));
        if (window.grab().save(path)) {
            std::printf("saved %s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "could not save %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vrn::pp::DemoWindow window;
    window.show();
    const QString folder = qEnvironmentVariable("STV20PP_SCREENSHOTS");
    if (!folder.isEmpty()) {
        int status = 0;
        QTimer::singleShot(0, &window, [&] {
            status = saveScreenshots(window, folder);
            app.quit();
        });
        app.exec();
        return status;
    }
    return app.exec();
}
