#pragma once

#include "platform/prompt.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vrn {

struct VrnMain;

// The notice window "About Vrn": a research-use notice with a disclaimer that the user accepts
// before the program starts. As the About box it has no Cancel button.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const VrnMain& program, Prompt& prompt, QWidget* parent = nullptr);

    // Shows the notice modally: true when the user accepts it (always in About mode, where
    // closing the window just closes it).
    bool run();

    void StartSysInfo();

    static QString noticeText();

    void reject() override;

private:
    Prompt& prompt_;
    bool aboutMode_;
};

}  // namespace vrn
