#include "app/shell/command_line.h"

namespace vrn {

QString joinCommandLine(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' '));
}

QString commandLineFileName(const QString& commandLine) {
    constexpr QLatin1Char kQuote('"');
    QString name = commandLine;
    if (name.startsWith(kQuote)) {
        name.remove(0, 1);
    }
    if (name.endsWith(kQuote)) {
        name.chop(1);
    }
    return name;
}

}  // namespace vrn
