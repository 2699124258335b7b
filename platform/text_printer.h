#pragma once

#include <QPageLayout>
#include <QString>

namespace vrn {

// Prints plain text on the default printer in Arial 10, on pages of `layout` (the printer's own
// when not valid). False when there is no printer to print on.
bool printPlainText(const QString& text, const QPageLayout& layout);

}  // namespace vrn
