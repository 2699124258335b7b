#pragma once

#include "model/component_context.h"
#include "model/model_fwd.h"
#include "platform/prompt.h"

#include <QString>

namespace vrn {

class MatrixFileError;
class MatrixWindow;

// How a save the user asked for ended.
enum class SaveOutcome {
    Saved,
    GaveUp,  // the user chose not to save
    Failed,  // the file could not be written; the user was told
};

// The matrix file steps of the file commands and the matrix window, each one whole: the file
// number a step opens is closed again whatever happens. Failures throw MatrixFileError.

// Reads `path` into the fresh `document`, bound to `window`; true when the file's directions are
// to be shown.
bool readDocument(VRN_Matrix& document, const QString& path, MatrixWindow* window,
                  const ComponentContext& context);
// Writes `document` to `path`; `unlocked` records the copy as not locked.
void saveDocument(VRN_Matrix& document, const QString& path, bool unlocked);
// Appends the alternatives of the file at `path` to `document`.
void importAlternatives(VRN_Matrix& document, const QString& path);

// Puts a failed file step to the user, once, as the error asks.
void showFileError(Prompt& prompt, const MatrixFileError& error);

// Before a save that would write characters of `document` as "?", the file's code page having
// none for them: says how many, once, and asks whether to save all the same. True when the save
// may go on (also when nothing is lost).
bool mayLoseCharacters(Prompt& prompt, VRN_Matrix& document);
// Saves `document` to `path` as the user would have it: the warning above first, then the write;
// a failure is put to the user.
SaveOutcome saveDocumentAsking(Prompt& prompt, VRN_Matrix& document, const QString& path,
                               bool unlocked);

// The dialogs of the file commands.
FileDialogRequest openMatrixRequest();
FileDialogRequest saveMatrixRequest(const QString& presetName);

// Whether two names, each taken from the current folder when relative, are one file: their
// canonical paths compare, so links and ".." lead to the same file.
bool isSameFile(const QString& first, const QString& second);
// Before a save replaces another file: asks whether it may. True when `path` does not exist yet.
bool mayReplaceFile(Prompt& prompt, const QString& path);

}  // namespace vrn
