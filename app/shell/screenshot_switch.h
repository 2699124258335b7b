#pragma once

#include <QObject>
#include <QString>

class QMainWindow;

namespace vrn {

// Name of the environment variable that makes a run save pictures of the main window once it
// is shown, print what it saved and what each matrix window's canvas draws beside what its
// document placed, and end: the path of the main window's picture. A second
// picture, with the View menu open, goes beside it (name ending "-view-menu.png") where the
// display allows a picture of the whole screen.
inline constexpr char kScreenshotVariable[] = "VRN_SCREENSHOT";

class ScreenshotSwitch : public QObject {
    Q_OBJECT
public:
    // Watches `window` when the switch is set; does nothing otherwise.
    ScreenshotSwitch(QMainWindow& window, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void captureWindow();
    void captureMenu();

    QMainWindow& window_;
    QString path_;
    bool scheduled_ = false;
};

}  // namespace vrn
