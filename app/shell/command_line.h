#pragma once

#include <QString>
#include <QStringList>

namespace vrn {

// The program takes one matrix file on its command line. A name with blanks may come split into
// several arguments; they are joined again with one blank each.
QString joinCommandLine(const QStringList& arguments);

// The file name in a command line: one leading and one trailing double quote are dropped, nothing
// else is changed. A lone double quote gives an empty name.
QString commandLineFileName(const QString& commandLine);

}  // namespace vrn
