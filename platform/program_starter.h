#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace vrn {

// Starts other programs without waiting for them. Arguments travel as a list, never through a
// shell, so no text is ever interpreted as a command.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    // Hands a link to the desktop's default handler for its scheme.
    virtual bool openWithDesktop(const QUrl& url) = 0;
};

}  // namespace vrn
