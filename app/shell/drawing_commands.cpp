#include "app/shell/drawing_commands.h"

#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/drawing_window.h"
#include "app/shell/frm_main.h"
#include "model/vrn_matrix.h"
#include "platform/drawing_svg_page.h"
#include "platform/drawing_template.h"
#include "platform/svg_font_metrics.h"

#include <QAction>
#include <QApplication>

#include <exception>
#include <filesystem>
#include <memory>

namespace vrn {

namespace {

const QString kProblemTitle = QStringLiteral("Problem generating Visio");
// Our drawing errors carry a description only.
constexpr int kDrawingErrorNumber = 0;

// What each command says when the template (step 1) or the stencil (step 2) cannot be had.
QString missingFileMessage(DrawingCommands::Command command, const char* file) {
    switch (command) {
        case DrawingCommands::Command::Generate:
            return QStringLiteral(
                       "Can't find the file '%1' that was installed with VRN. Is the "
                       "template directory correctly specified (see options)?")
                .arg(QLatin1String(file));
        case DrawingCommands::Command::GenerateHtml:
            return QStringLiteral(
                       "Can't find '%1'. Is the Visio template directory correctly "
                       "specified (see options)?")
                .arg(QLatin1String(file));
        case DrawingCommands::Command::Diagnose:
            break;
    }
    return QStringLiteral(
               "Can't find '%1'. Is the template directory correctly specified (see options)?")
        .arg(QLatin1String(file));
}

// The busy pointer while a command runs, the standard one again however it ends.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

DrawingCommands::DrawingCommands(frmMain& main, VrnMain& program, ShellServices services)
    : QObject(&main), main_(main), program_(program), services_(services) {
    const std::pair<const char*, Command> items[] = {
        {"mnuFileGenerate", Command::Generate},
        {"mnuFileGenerateHTML", Command::GenerateHtml},
        {"mnuFileDiagnose", Command::Diagnose},
    };
    for (const auto& [item, command] : items) {
        connect(main_.menuItem(QLatin1String(item)), &QAction::triggered, this,
                [this, command] { main_.runDocumentCommand([this, command] { run(command); }); });
    }
}

DrawingWindow* DrawingCommands::run(Command command) {
    if (main_.activeChild() == nullptr) {
        return nullptr;
    }
    frmMatrix* window = main_.activeMatrixWindow();
    if (window == nullptr) {
        services_.prompt.messageBox(QStringLiteral("TBD: Generate Visio"));
        return nullptr;
    }
    if (command == Command::Diagnose) {
        program_.Visio_Debug = true;
    }
    Prompt& prompt = services_.prompt;
    const std::filesystem::path folder = program_.prefs.templateFolder().toStdString();
    std::unique_ptr<SvgDrawingPage> page;
    std::unique_ptr<DrawingStencilFile> stencil;
    {
        const BusyPointer busy;
        // Step 1: a new drawing from the template.
        DrawingTemplate layout;
        try {
            layout = ReadDrawingTemplate(folder / kDrawingTemplateFile);
        } catch (const std::exception&) {
            prompt.messageBox(missingFileMessage(command, kDrawingTemplateFile),
                              {.icon = MsgBoxIcon::Critical}, kProblemTitle);
            return nullptr;
        }
        // Step 2: the stencil the template names, and its masters.
        try {
            stencil = DrawingStencilFile::Open(folder / layout.stencilFile);
        } catch (const std::exception&) {
            prompt.messageBox(missingFileMessage(command, kDrawingStencilFile),
                              {.icon = MsgBoxIcon::Critical}, kProblemTitle);
            return nullptr;
        }
        // Step 3: the matrix drawn on the drawing's page.
        page =
            std::make_unique<SvgDrawingPage>(layout, std::make_shared<SvgFontMetrics>(layout.font));
        try {
            window->base()->ReportVisio(*page, stencil.get(), stencil->Masters(),
                                        command == Command::GenerateHtml);
        } catch (const std::exception& error) {
            prompt.messageBox(QStringLiteral("%1 Error Number:%2")
                                  .arg(QString::fromUtf8(error.what()))
                                  .arg(kDrawingErrorNumber));
            return nullptr;
        }
    }
    if (command == Command::Diagnose) {
        program_.Visio_Debug = false;
    }
    // Save offers the matrix's name beside its file, as Export to Word and Print Report do.
    auto* drawing =
        new DrawingWindow(std::move(page), std::move(stencil), prompt,
                          window->fileNamedAfterDocument(QStringLiteral("svg")), &main_);
    drawing->show();
    return drawing;
}

}  // namespace vrn
