#pragma once

#include "platform/program_starter.h"

#include <vector>

namespace vrn {

// Records what would have been started, without starting anything.
class RecordingProgramStarter : public ProgramStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };

    // Makes the following starts fail, as a missing program would.
    void setSucceeds(bool succeeds) { succeeds_ = succeeds; }

    bool startDetached(const QString& program, const QStringList& arguments) override;
    bool openWithDesktop(const QUrl& url) override;

    const std::vector<Start>& starts() const { return starts_; }
    const std::vector<QUrl>& openedUrls() const { return openedUrls_; }

private:
    bool succeeds_ = true;
    std::vector<Start> starts_;
    std::vector<QUrl> openedUrls_;
};

}  // namespace vrn
