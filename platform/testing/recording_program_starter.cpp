#include "platform/testing/recording_program_starter.h"

namespace vrn {

bool RecordingProgramStarter::startDetached(const QString& program, const QStringList& arguments) {
    starts_.push_back({program, arguments});
    return succeeds_;
}

bool RecordingProgramStarter::openWithDesktop(const QUrl& url) {
    openedUrls_.push_back(url);
    return succeeds_;
}

}  // namespace vrn
