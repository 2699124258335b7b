#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vrn::testing {

// The bytes of the file at `path`; none when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace vrn::testing
