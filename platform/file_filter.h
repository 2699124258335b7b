#pragma once

#include <QString>
#include <QStringList>

namespace vrn {

// Turns a filter of the form "desc|pattern|desc|pattern" into the name filters of a Qt file
// dialog, one "desc (patterns)" per pair (a description's own "(...)" is replaced). "*.*" means
// every file, with or without an extension; patterns separated by ";" become one filter. An
// unpaired description at the end is dropped.
QStringList qtNameFilters(const QString& filter);

// The extension a name saved under the Qt name filter `nameFilter` ("Web Page (*.html)") takes:
// that of its first pattern of the form "*.ext"; empty when it has none ("All Files (*)").
QString nameFilterSuffix(const QString& nameFilter);

}  // namespace vrn
