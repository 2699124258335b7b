#pragma once

#include "platform/program_starter.h"

namespace vrn {

class QtProgramStarter : public ProgramStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
    bool openWithDesktop(const QUrl& url) override;
};

}  // namespace vrn
