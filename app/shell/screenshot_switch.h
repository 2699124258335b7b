#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QMainWindow;
class QWidget;

namespace vrn {

// Name of the environment variable that makes a run save pictures of the main window once it
// is shown, print what it saved and what each matrix window's canvas draws beside what its
// document placed, and end: the path of the main window's picture. A second
// picture, with the View menu open, goes beside it (name ending "-view-menu.png") where the
// display allows a picture of the whole screen. A dialog or message box that opens on the way
// (a file's directions, a warning while it loads) is saved beside it too (name ending
// "-dialog-1.png" and so on) and then closed as Escape would, so a scripted run never waits on
// one.
inline constexpr char kScreenshotVariable[] = "VRN_SCREENSHOT";

class ScreenshotSwitch : public QObject {
    Q_OBJECT
public:
    // Watches `window` when the switch is set; does nothing otherwise.
    ScreenshotSwitch(QMainWindow& window, QObject* parent = nullptr);

private:
    void look();
    void captureDialog(QWidget& dialog);
    void captureWindow();
    void captureMenu();
    QString besidePath(const QString& suffix) const;

    QMainWindow& window_;
    QString path_;
    QTimer watch_;
    // Looks in a row that found the main window shown with no dialog over it.
    int quietLooks_ = 0;
    int dialogs_ = 0;
};

}  // namespace vrn
