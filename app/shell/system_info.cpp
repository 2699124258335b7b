#include "app/shell/system_info.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QSysInfo>
#include <QThread>

namespace vrn {

QString systemInformationText() {
    QStringList lines;
    const auto add = [&lines](const char* label, const QString& value) {
        if (!value.trimmed().isEmpty()) {
            lines << QStringLiteral("%1: %2").arg(QLatin1String(label), value);
        }
    };
    add("Operating system", QSysInfo::prettyProductName());
    add("Kernel", QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion());
    add("Processor", QSysInfo::currentCpuArchitecture());
    if (const int cores = QThread::idealThreadCount(); cores > 0) {
        add("Processor cores", QString::number(cores));
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size();
        add("Screen", QStringLiteral("%1 x %2 pixels, %3 dots per inch")
                          .arg(size.width())
                          .arg(size.height())
                          .arg(qRound(screen->logicalDotsPerInch())));
    }
    add("Display system", QGuiApplication::platformName());
    add("Qt", QString::fromLatin1(qVersion()));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace vrn
