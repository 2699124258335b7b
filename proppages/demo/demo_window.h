#pragma once

#include "proppages/page_site.h"

#include <QWidget>

#include <memory>

class QLabel;

namespace vrn::pp {

class PropertyFrame;
class StandInBalloon;
class StandInButton;

// The demo: a stand-in button and a stand-in balloon above a property frame that holds every
// page over them. Help requests show up beside the controls, as no help file comes with it.
class DemoWindow : public QWidget, public HelpProvider {
    Q_OBJECT
public:
    explicit DemoWindow(QWidget* parent = nullptr);
    ~DemoWindow() override;

    PropertyFrame* frame() const { return frame_; }
    void showHelp(QWidget* owner, const QString& helpFile, quint32 context) override;

private:
    std::shared_ptr<StandInButton> button_;
    std::shared_ptr<StandInBalloon> balloon_;
    PropertyFrame* frame_;
    QLabel* helpLine_;
};

}  // namespace vrn::pp
