#include "app/shell/window_names.h"

namespace vrn {

namespace {

constexpr int kMaxStemLength = 24;

}  // namespace

QString documentCaption(int n) {
    return QStringLiteral("Document %1").arg(n);
}

QString generatedFileName(const QString& baseName, int n) {
    QString stem = baseName;
    stem.replace(QLatin1Char(' '), QLatin1Char('_'));
    if (stem.size() > kMaxStemLength) {
        // Never leave half of a character that takes two code units.
        const bool splitsPair = stem.at(kMaxStemLength - 1).isHighSurrogate();
        stem.truncate(splitsPair ? kMaxStemLength - 1 : kMaxStemLength);
    }
    return stem + QLatin1Char('_') + QString::number(n);
}

}  // namespace vrn
