#pragma once

#include "model/component_context.h"
#include "model/interfaces/catalogue_entity.h"
#include "model/interfaces/main_view.h"
#include "model/model_fwd.h"

#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QWidget;

namespace vrn {

class ProgramStarter;

// What a matrix window asks of the main window that holds it: the menu items and toolbar
// buttons it keeps in step with its selection, the View marks and File > Save (MainView), the
// Alternatives menu, the drags between windows, the catalogue entity of the active document and
// opening a link. The main window implements it; the matrix window knows no more of it.
class MatrixHost : public MainView {
public:
    // The menu item or toolbar button by its design name (a toolbar button by its key). A name
    // the main window lacks is a fault of the program: it throws std::out_of_range naming it.
    virtual QAction& hostMenuItem(const QString& name) const = 0;
    virtual QAction& hostToolbarButton(const QString& key) const = 0;

    // The Alternatives menu of the active document: an item per alternative name, item
    // `checked` (0-based) checked.
    virtual void listAlternatives(const QStringList& names, int checked) = 0;

    // The practice or practice group a drag between matrix windows carries; null when none.
    virtual std::shared_ptr<VRN_Practice>& draggedPractice() = 0;
    virtual std::shared_ptr<VRN_PracticeGroup>& draggedPracticeGroup() = 0;

    // The catalogue entity of the active document, which new windows are bound to.
    virtual void setActiveEntity(std::shared_ptr<CatalogueEntity> entity) = 0;

    // Opens a link text from a matrix in the browser of the preferences.
    virtual void Open_In_Browser(const QString& text) = 0;

    // What every document of this program is bound to.
    virtual ComponentContext componentContext() = 0;

    // The window that owns the dialogs a matrix window opens.
    virtual QWidget* dialogParent() = 0;

    // Whether a matrix window other than `asking` holds the file `path`.
    virtual bool fileOpenInOtherWindow(const QString& path, const QWidget& asking) const = 0;

    // Editing from the matrix window: the popup menu `name` at the pointer, the status bar's
    // text, the interaction popup set up for `Current_Interaction`, the practice group in the
    // copy buffer (null when none) and the starter that opens links from the detail dialogs.
    virtual void popupMenu(const QString& name) = 0;
    virtual void SetStatusText(const QString& text) = 0;
    virtual QString statusText() const = 0;
    virtual void setup_interaction_Menu() = 0;
    virtual std::shared_ptr<VRN_PracticeGroup>& copiedPracticeGroup() = 0;
    virtual ProgramStarter& programStarter() = 0;
};

}  // namespace vrn
