#include "platform/qt_program_starter.h"

#include <QDesktopServices>
#include <QProcess>

namespace vrn {

bool QtProgramStarter::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool QtProgramStarter::openWithDesktop(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

}  // namespace vrn
