#pragma once

#include <QString>

namespace vrn {

// The caption of the n-th new matrix window: "Document 1" for the first.
QString documentCaption(int n);

// The name a new document carries until it is saved: the base name with blanks made "_", cut to
// its first 24 characters, then "_" and n ("Document_1_1"). It holds no ":", which marks a
// document that has no file yet.
QString generatedFileName(const QString& baseName, int n);

}  // namespace vrn
