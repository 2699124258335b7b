#include "app/matrixwin/document_files.h"

#include "app/common/prompt_messages.h"
#include "model/file/matrix_file_error.h"
#include "model/vrn_matrix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <string>

namespace vrn {

namespace {

constexpr const char* kOpenFilter = "*.vrn|*.vrn|All Files (*.*)|*.*";
constexpr const char* kSaveFilter = "Vrn-Matrix (*.vrn)|*.vrn|All Files (*.*)|*.*";
const QString kSaveFileTitle = QStringLiteral("Save file");

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// One file number of a document, open from construction until the guard goes.
class OpenedMatrixFile {
public:
    OpenedMatrixFile(VRN_Matrix& document, const QString& path, const char* mode)
        : document_(document) {
        document_.OpenFile(localPath(path), number_, mode);
    }
    ~OpenedMatrixFile() { document_.CloseFile(number_); }
    OpenedMatrixFile(const OpenedMatrixFile&) = delete;
    OpenedMatrixFile& operator=(const OpenedMatrixFile&) = delete;

    std::int16_t number() const { return number_; }

private:
    VRN_Matrix& document_;
    std::int16_t number_ = 0;
};

}  // namespace

bool readDocument(VRN_Matrix& document, const QString& path, MatrixWindow* window,
                  const ComponentContext& context) {
    const OpenedMatrixFile file(document, path, "Input");
    bool showDirections = false;
    document.Read(file.number(), window, showDirections, context);
    return showDirections;
}

void saveDocument(VRN_Matrix& document, const QString& path, bool unlocked) {
    const OpenedMatrixFile file(document, path, "Output");
    document.Save(file.number(), unlocked);
}

void importAlternatives(VRN_Matrix& document, const QString& path) {
    const OpenedMatrixFile file(document, path, "Input");
    document.ImportAlternatives(file.number());
}

void showFileError(Prompt& prompt, const MatrixFileError& error) {
    PromptMessages(prompt).MsgBox(error.what(), MsgButtons::OKOnly, error.icon(), error.title());
}

bool mayLoseCharacters(Prompt& prompt, VRN_Matrix& document) {
    const std::size_t lost = document.CharactersSavedAsQuestionMarks();
    if (lost == 0) {
        return true;
    }
    const QString what =
        lost == 1 ? QStringLiteral("1 character of this matrix is")
                  : QStringLiteral("%1 characters of this matrix are").arg(qulonglong{lost});
    const QString warning =
        what + QStringLiteral(
                   " not in the character set of matrix files (Windows-1252) and will "
                   "be saved as \"?\".\n\nSave it anyway?");
    return prompt.messageBox(warning,
                             {.buttons = MsgBoxButtons::OkCancel, .icon = MsgBoxIcon::Exclamation},
                             kSaveFileTitle) == MsgBoxResult::Ok;
}

SaveOutcome saveDocumentAsking(Prompt& prompt, VRN_Matrix& document, const QString& path,
                               bool unlocked) {
    if (!mayLoseCharacters(prompt, document)) {
        return SaveOutcome::GaveUp;
    }
    try {
        saveDocument(document, path, unlocked);
    } catch (const MatrixFileError& error) {
        showFileError(prompt, error);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

FileDialogRequest openMatrixRequest() {
    return FileDialogRequest{.filter = QLatin1String(kOpenFilter),
                             .flags = FileDialogFlags::HideReadOnly};
}

FileDialogRequest saveMatrixRequest(const QString& presetName) {
    return FileDialogRequest{
        .filter = QLatin1String(kSaveFilter),
        .defaultExt = QStringLiteral("vrn"),
        .fileName = presetName,
        .flags = FileDialogFlags::HideReadOnly | FileDialogFlags::PathMustExist};
}

bool isSameFile(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty()) {
        return first == second;
    }
    const auto identity = [](const QString& name) {
        const QFileInfo file(name);
        const QString canonical = file.canonicalFilePath();  // empty while it does not exist
        return canonical.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : canonical;
    };
    return identity(first) == identity(second);
}

bool mayReplaceFile(Prompt& prompt, const QString& path) {
    if (!QFileInfo::exists(path)) {
        return true;
    }
    const QString question =
        QStringLiteral("The file '%1' already exists.  Do you want to replace it?").arg(path);
    return prompt.messageBox(question,
                             {.buttons = MsgBoxButtons::YesNo,
                              .icon = MsgBoxIcon::Exclamation,
                              .defaultButton = MsgBoxDefault::Button2},
                             QStringLiteral("Save file As")) == MsgBoxResult::Yes;
}

}  // namespace vrn
