#include "app/shell/frm_main.h"

#include "app/common/command_guard.h"
#include "app/common/menu_item_text.h"
#include "app/common/preference_keys.h"
#include "app/matrixwin/frm_directions_details.h"
#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/vrn_main.h"
#include "app/shell/command_line.h"
#include "app/shell/drawing_commands.h"
#include "app/shell/editing_commands.h"
#include "app/shell/emblem.h"
#include "app/shell/file_commands.h"
#include "app/shell/program_title.h"
#include "app/shell/report_commands.h"
#include "app/shell/toolbar_icons.h"
#include "app/shell/view_commands.h"
#include "app/shell/window_arrangement.h"
#include "app/shell/window_names.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/browser_launcher.h"
#include "platform/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace vrn {

namespace {

struct ToolbarButtonDesign {
    const char* key;
    const char* toolTip;
    const char* description;
    bool twoState;
    bool groupStart;  // a gap before it
};

constexpr std::array<ToolbarButtonDesign, 15> kToolbar{{
    {"New", "New", nullptr, false, false},
    {"Open", "Open", nullptr, false, false},
    {"Save", "Save", nullptr, false, false},
    {"Print", "Print", nullptr, false, true},
    {"Generate", "Generate Visio Drawing", nullptr, false, false},
    {"Cut", "Cut", nullptr, false, true},
    {"Copy", "Copy", nullptr, false, false},
    {"Paste", "Paste", nullptr, false, false},
    {"Bold", "Bold", nullptr, true, true},
    {"Italic", "Italic", nullptr, true, false},
    {"Underline", "Underline", nullptr, true, false},
    {"ScaleUp", "increases display sizes", "Scale Up", false, true},
    {"ScaleDown", "Scale Down display sizes", "Scale Down", false, false},
    {"FontUp", "Font Size Up", nullptr, false, false},
    {"FontDown", "Font Size Down", nullptr, false, false},
}};

// Toolbar keys that run a menu command.
constexpr std::array<std::pair<const char*, const char*>, 11> kToolbarMenuCommands{{
    {"Open", "mnuFileOpen"},
    {"Save", "mnuFileSave"},
    {"Print", "mnuFilePrint"},
    {"Generate", "mnuFileGenerate"},
    {"Cut", "mnuEditCut"},
    {"Copy", "mnuEditCopy"},
    {"Paste", "mnuEditPaste"},
    {"ScaleUp", "mnuViewScaleUp"},
    {"ScaleDown", "mnuViewScaledown"},
    {"FontUp", "mnuViewFontUp"},
    {"FontDown", "mnuViewFontDown"},
}};

const char* viewMarkItem(ViewMark mark) {
    switch (mark) {
        case ViewMark::mnuViewTitle:
            return "mnuViewTitle";
        case ViewMark::mnuViewAttribution:
            return "mnuViewAttribution";
        case ViewMark::mnuViewPracticeGroups:
            return "mnuViewPracticeGroups";
        case ViewMark::mnuViewImportance:
            return "mnuViewImportance";
        case ViewMark::mnuViewLegend:
            return "mnuViewLegend";
        case ViewMark::mnuViewColor:
            return "mnuViewColor";
        case ViewMark::mnuViewAlternatives:
            return "mnuViewAlternatives";
        case ViewMark::mnuViewExisting:
            return "mnuViewExisting";
        case ViewMark::mnuViewSortButtons:
            return "mnuViewSortButtons";
        case ViewMark::mnuViewWeightedSort:
            return "mnuViewWeightedSort";
    }
    return "";
}

// The menus that serve only as the matrix window's popup menus.
constexpr std::array kPopupMenus{"MnuPractice", "MnuPracticeGroup", "mnuImportance",
                                 "mnuInteraction"};
// Their Action menu twins, which only a selection enables.
constexpr std::array kSelectionItems{"mnuActionAddGroup", "mnuActionDeleteGroup",
                                     "mnuActionAddPractice", "mnuActionDeletePractice"};
// Opening one of these menus first ends any typing in the active window.
constexpr std::array kFocusMenus{"mnuFile", "mnuEdit",         "mnuView",    "mnuWindow",
                                 "mnuHelp", "mnuAlternatives", "MnuPractice"};

const QString kStandaloneMessage =
    QStringLiteral("This operation is Unsupported in the standalone version of the VRN software");
const QString kNoHelpMessage = QStringLiteral(
    "Unable to display Help Contents. There is no Help associated with this project.");

// The smallest main window that still shows its menus and a matrix window.
constexpr int kMinimumWindowPixels = 200;
// The share of the screen the main window takes on the first start.
constexpr double kFirstStartShare = 0.85;

}  // namespace

frmMain::frmMain(VrnMain& program, ShellServices services, QWidget* parent)
    : QMainWindow(parent), program_(program), services_(services), messages_(services.prompt) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(kProgramTitle));
    setWindowIcon(programIcon());

    menuTree_ = std::make_unique<MenuTree>(*menuBar());
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MDIClient"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    buildToolbar();
    buildStatusBar();

    refreshTimer_.setObjectName(QStringLiteral("RefreshTimer"));
    connect(&refreshTimer_, &QTimer::timeout, this, &frmMain::mnuViewRefresh_Click);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &frmMain::onChildActivated);

    mnuAlt_ = {menuItem(QStringLiteral("mnuAlt"), 0)};
    exceptions_ = {menuItem(QStringLiteral("Exceptions"), 0)};
    viewCommands_ = std::make_unique<ViewCommands>(*this, program_, services_);
    fileCommands_ = new FileCommands(*this, program_, services_);
    editingCommands_ = new EditingCommands(*this, program_, services_);
    new ReportCommands(*this, program_, services_);
    new DrawingCommands(*this, program_, services_);
    connectCommands();
    connectFocusCommands();
}

frmMain::~frmMain() {
    // Matrix windows go first: their documents call back into this window's menus.
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        delete child;
    }
}

void frmMain::buildToolbar() {
    tbToolBar_ = addToolBar(QStringLiteral("Toolbar"));
    tbToolBar_->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar_->setIconSize(QSize(24, 24));
    for (const ToolbarButtonDesign& design : kToolbar) {
        if (design.groupStart) {
            tbToolBar_->addSeparator();
        }
        const QString key = QLatin1String(design.key);
        QAction* button = tbToolBar_->addAction(toolbarIcon(key), key);
        button->setObjectName(key);
        button->setProperty("Key", key);
        button->setToolTip(QLatin1String(design.toolTip));
        if (design.description != nullptr) {
            button->setStatusTip(QLatin1String(design.description));
        }
        button->setCheckable(design.twoState);
        connect(button, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    }
}

void frmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    statusPanel_ = new QLabel(QStringLiteral("Status"), bar);
    statusPanel_->setObjectName(QStringLiteral("Panel1"));
    // The status names practices as typed, never as markup.
    statusPanel_->setTextFormat(Qt::PlainText);
    bar->addWidget(statusPanel_, 1);
}

void frmMain::onCommand(const char* item, void (frmMain::*command)()) {
    connect(menuItem(QLatin1String(item)), &QAction::triggered, this,
            [this, command] { runDocumentCommand([this, command] { (this->*command)(); }); });
}

void frmMain::connectCommands() {
    onCommand("mnuFileNew", &frmMain::mnuFileNew_Click);
    onCommand("mnuWindowNewWindow", &frmMain::mnuFileNew_Click);
    onCommand("mnuFileClose", &frmMain::mnuFileClose_Click);
    onCommand("mnuFileExit", &frmMain::mnuFileExit_Click);
    onCommand("mnuHelpContents", &frmMain::mnuHelpContents_Click);
    onCommand("mnuHelpSearch", &frmMain::mnuHelpContents_Click);
    onCommand("mnuHelpDirections", &frmMain::mnuHelpDirections_Click);
    onCommand("mnuHelpAbout", &frmMain::mnuHelpAbout_Click);

    connect(menuItem(QStringLiteral("mnuWindowCascade")), &QAction::triggered, this,
            [this] { cascade(*mdiArea_); });
    connect(menuItem(QStringLiteral("mnuWindowTileHorizontal")), &QAction::triggered, this,
            [this] { tileHorizontally(*mdiArea_); });
    connect(menuItem(QStringLiteral("mnuWindowTileVertical")), &QAction::triggered, this,
            [this] { tileVertically(*mdiArea_); });
    connect(menuItem(QStringLiteral("mnuWindowArrangeIcons")), &QAction::triggered, this,
            [this] { arrangeIcons(*mdiArea_); });
    connect(menu(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this,
            &frmMain::rebuildWindowList);

    connect(mnuAlt_.front(), &QAction::triggered, this, [this] { mnuAlt_Click(0); });
    connect(exceptions_.front(), &QAction::triggered, this, [this] { Exceptions_Click(0); });
}

void frmMain::connectFocusCommands() {
    for (const char* name : kFocusMenus) {
        connect(menu(QLatin1String(name)), &QMenu::aboutToShow, this, [this] {
            if (frmMatrix* window = activeMatrixWindow()) {
                window->VScroll()->setFocus();
            }
        });
    }
}

void frmMain::runCommand(const std::function<void()>& command) {
    runGuarded(services_.prompt, command);
}

void frmMain::runDocumentCommand(const std::function<void()>& command) {
    runCommand([this, &command] {
        if (frmMatrix* window = activeMatrixWindow()) {
            window->commitPendingEdits();
        }
        command();
    });
}

QAction* frmMain::menuItem(const QString& name, int index) const {
    return menuTree_->item(name, index);
}

QMenu* frmMain::menu(const QString& name) const {
    return menuTree_->menu(name);
}

QAction* frmMain::toolbarButton(const QString& key) const {
    QAction* button = findToolbarButton(key);
    if (button == nullptr) {
        throw std::out_of_range("no toolbar button " + key.toStdString());
    }
    return button;
}

QAction* frmMain::findToolbarButton(const QString& key) const {
    for (QAction* button : tbToolBar_->actions()) {
        if (button->property("Key").toString() == key) {
            return button;
        }
    }
    return nullptr;
}

QMdiSubWindow* frmMain::activeChild() const {
    return mdiArea_->currentSubWindow();
}

frmMatrix* frmMain::activeMatrixWindow() const {
    QMdiSubWindow* child = activeChild();
    return child != nullptr ? qobject_cast<frmMatrix*>(child->widget()) : nullptr;
}

ComponentContext frmMain::componentContext() {
    return ComponentContext{
        .MainForm = this, .VRN_Running_Standalone = program_.Standalone, .Messages = &messages_};
}

void frmMain::Show() {
    if (!loaded_) {
        MDIForm_Load();
    }
    show();
    // Windows opened while loading were sized before the area had a size.
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        fitInside(*mdiArea_, *child);
    }
    raise();
    activateWindow();
}

void frmMain::MDIForm_Load() {
    loaded_ = true;
    program_.prefs = Preferences::load(services_.settings);
    placeWindow();
    program_.Init_Report_Options();

    const QString name = commandLineFileName(program_.Command_Line);
    if (program_.Command_Line_Given && !name.isEmpty()) {
        openCommandLineFile(name);
    } else {
        New_Matrix_Window(true, nullptr, nullptr);
    }
    program_.Command_Line_Given = false;

    if (program_.Standalone) {
        menuItem(QStringLiteral("mnuFileGenerateHTML"))->setEnabled(false);
        menuItem(QStringLiteral("mnuMatchingEntity"))->setVisible(false);
    }
    for (const char* popup : kPopupMenus) {
        menuItem(QLatin1String(popup))->setVisible(false);
    }
    for (const char* item : kSelectionItems) {
        menuItem(QLatin1String(item))->setEnabled(false);
    }
    program_.Visio_Debug = false;
}

void frmMain::placeWindow() {
    const double dpi = logicalDpiX();
    const Preferences& prefs = program_.prefs;
    const QString section = QLatin1String(prefkey::kVrnSettings);
    const bool sized = services_.settings.text(section, QLatin1String(prefkey::kMainWidth)) &&
                       services_.settings.text(section, QLatin1String(prefkey::kMainHeight));
    QRect rect(twipsToPixels(prefs.MainLeft, dpi), twipsToPixels(prefs.MainTop, dpi),
               twipsToPixels(prefs.MainWidth, dpi), twipsToPixels(prefs.MainHeight, dpi));
    const Preferences defaults;
    const QRect fallback(
        twipsToPixels(defaults.MainLeft, dpi), twipsToPixels(defaults.MainTop, dpi),
        twipsToPixels(defaults.MainWidth, dpi), twipsToPixels(defaults.MainHeight, dpi));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (rect.width() < kMinimumWindowPixels || rect.height() < kMinimumWindowPixels) {
        rect.setSize(fallback.size());
    }
    if (!sized && screen != nullptr) {
        // The first start: a generous share of the screen, in its middle.
        const QRect available = screen->availableGeometry();
        const QSize generous(static_cast<int>(available.width() * kFirstStartShare),
                             static_cast<int>(available.height() * kFirstStartShare));
        rect.setSize(generous.expandedTo(fallback.size()).boundedTo(available.size()));
        rect.moveCenter(available.center());
    }
    // A rectangle stored on a screen that is gone would leave the window out of reach.
    if (screen != nullptr && !screen->availableVirtualGeometry().intersects(rect)) {
        rect.moveTopLeft(screen->availableGeometry().topLeft() + fallback.topLeft());
    }
    setGeometry(rect);
    placedPixels_ = rect;
}

void frmMain::storeWindowRectangle() {
    const double dpi = logicalDpiX();
    const QRect rect = geometry();
    const Preferences& prefs = program_.prefs;
    // A side that has not moved keeps its stored twips: a round trip through whole pixels would
    // shift it a little at every start.
    const auto twips = [dpi](int pixels, int placed, float stored) {
        return pixels == placed && twipsToPixels(stored, dpi) == placed
                   ? stored
                   : static_cast<float>(pixelsToTwips(pixels, dpi));
    };
    SettingsStore& settings = services_.settings;
    const QString section = QLatin1String(prefkey::kVrnSettings);
    settings.writeSingle(section, QLatin1String(prefkey::kMainLeft),
                         twips(rect.x(), placedPixels_.x(), prefs.MainLeft));
    settings.writeSingle(section, QLatin1String(prefkey::kMainTop),
                         twips(rect.y(), placedPixels_.y(), prefs.MainTop));
    settings.writeSingle(section, QLatin1String(prefkey::kMainWidth),
                         twips(rect.width(), placedPixels_.width(), prefs.MainWidth));
    settings.writeSingle(section, QLatin1String(prefkey::kMainHeight),
                         twips(rect.height(), placedPixels_.height(), prefs.MainHeight));
}

void frmMain::openCommandLineFile(const QString& name) {
    runCommand([this, &name] { fileCommands_->openFile(name); });
}

void frmMain::openMatrixFile(const QString& path) {
    fileCommands_->openFile(path);
}

bool frmMain::SaveMatrixAs() {
    return fileCommands_->SaveMatrixAs();
}

bool frmMain::fileOpenInOtherWindow(const QString& path, const QWidget& asking) const {
    return fileCommands_->windowOfFile(path, &asking) != nullptr;
}

void frmMain::MDIForm_Activate() {
    if (!loaded_ || closing_) {
        return;
    }
    if (activeChild() == nullptr) {
        // A window may be left without the focus (a failed Open closed the active one): it takes
        // it back. Only an empty area gets a new document.
        if (QMdiSubWindow* remaining = lastOpenWindow()) {
            mdiArea_->setActiveSubWindow(remaining);
        } else {
            New_Matrix_Window(true, nullptr, nullptr);
        }
    } else if (frmMatrix* window = activeMatrixWindow()) {
        // Back from a dialog or another program: the window takes what was left for it.
        runCommand([window] { window->Form_GotFocus(); });
    }
    refreshTimer_.setEnabled(true);
}

QMdiSubWindow* frmMain::lastOpenWindow() const {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if ((*it)->isVisible()) {
            return *it;
        }
    }
    return nullptr;
}

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        MDIForm_Activate();
    }
    return QMainWindow::event(event);
}

bool frmMain::everyWindowAgreesToClose() {
    std::vector<frmMatrix*> agreed;
    for (QMdiSubWindow* child : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        auto* window = qobject_cast<frmMatrix*>(child->widget());
        if (window == nullptr) {
            continue;
        }
        if (!window->agreeToClose()) {
            // The user stopped the exit here: nothing more is asked, and no window closes.
            for (frmMatrix* earlier : agreed) {
                earlier->withdrawCloseAgreement();
            }
            return false;
        }
        agreed.push_back(window);
    }
    return true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    closing_ = true;
    if (everyWindowAgreesToClose()) {
        mdiArea_->closeAllSubWindows();
    }
    if (!mdiArea_->subWindowList().isEmpty()) {
        // A matrix window stayed open: the program goes on.
        closing_ = false;
        event->ignore();
        return;
    }
    if (loaded_ && !isMinimized()) {
        storeWindowRectangle();
    }
    event->accept();
}

void frmMain::New_Matrix_Window(bool create, const std::shared_ptr<CatalogueEntity>& entity,
                                const std::shared_ptr<VRN_PracticeGroup>& startGroup) {
    hide_directions();
    const int n = ++windowCount_;
    auto* window = new frmMatrix(program_, services_.prompt);
    window->LoadNewDoc = create;
    window->setEnt(entity);
    QString baseName;
    if (startGroup == nullptr) {
        window->setCaption(documentCaption(n));
        baseName = window->Caption();
    } else {
        baseName = QString::fromStdString(startGroup->Name());
        window->startup_PG = startGroup;
    }
    window->filename = generatedFileName(baseName, n);
    program_.Current_Default_Color = 0xC0C0C0;

    QMdiSubWindow* child = mdiArea_->addSubWindow(window);
    child->setAttribute(Qt::WA_DeleteOnClose);
    runCommand([window] { window->Form_Load(); });
    child->show();
    fitInside(*mdiArea_, *child);
    mdiArea_->setActiveSubWindow(child);
}

void frmMain::fitActiveWindow() {
    if (QMdiSubWindow* child = activeChild()) {
        fitInside(*mdiArea_, *child);
    }
}

void frmMain::onChildActivated(QMdiSubWindow* child) {
    if (child == nullptr) {
        return;
    }
    if (auto* window = qobject_cast<frmMatrix*>(child->widget())) {
        runCommand([window] {
            window->Form_Activate();
            window->Form_GotFocus();
        });
    }
}

void frmMain::Open_In_Browser(const QString& text) {
    BrowserLauncher(services_.starter, services_.prompt)
        .openInBrowser(text, program_.prefs.Browser_Path);
}

void frmMain::popupMenu(const QString& name) {
    menu(name)->popup(QCursor::pos());
}

void frmMain::SetStatusText(const QString& text) {
    statusPanel_->setText(text);
}

QString frmMain::statusText() const {
    return statusPanel_->text();
}

void frmMain::hide_directions() {
    menuItem(QStringLiteral("mnuViewDirections"))->setChecked(false);
}

void frmMain::mnuViewRefresh_Click() {
    if (frmMatrix* window = activeMatrixWindow()) {
        try {
            window->Redraw();
        } catch (...) {
            // A refresh that fails leaves the window as it was; the next one tries again.
        }
    }
}

void frmMain::mnuFileNew_Click() {
    if (QMdiSubWindow* child = activeChild(); child != nullptr && child->isMaximized()) {
        child->showNormal();
    }
    New_Matrix_Window(true, ent, nullptr);
    mnuViewRefresh_Click();
}

void frmMain::mnuFileClose_Click() {
    if (QMdiSubWindow* child = activeChild()) {
        child->close();
    }
}

void frmMain::mnuFileExit_Click() {
    close();
}

void frmMain::tbToolBar_ButtonClick(const QString& key) {
    runCommand([this, &key] {
        if (key == QLatin1String("New")) {
            New_Matrix_Window(true, ent, nullptr);
            return;
        }
        for (const auto& [buttonKey, item] : kToolbarMenuCommands) {
            if (key == QLatin1String(buttonKey)) {
                // As the command's own handler: the item's state does not stop it.
                emit menuItem(QLatin1String(item))->triggered(false);
                return;
            }
        }
        if (QAction* button = findToolbarButton(key); button != nullptr && button->isCheckable()) {
            fontButton(*button);
        }
    });
}

void frmMain::fontButton(QAction& button) {
    if (std::holds_alternative<std::monostate>(program_.Current_Item)) {
        button.setChecked(false);
        return;
    }
    const QString key = button.property("Key").toString();
    const bool pressed = button.isChecked();
    std::visit(
        [&key, pressed](const auto& item) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(item)>, std::monostate>) {
                if (item == nullptr) {
                    return;
                }
                if (key == QLatin1String("Bold")) {
                    item->setFontbold(pressed);
                } else if (key == QLatin1String("Italic")) {
                    item->setFontItalic(pressed);
                } else {
                    item->setFontUnderlined(pressed);
                }
            }
        },
        program_.Current_Item);
}

QAction* frmMain::loadCopy(std::vector<QAction*>& array, QMenu& menu, QAction* before) {
    QAction* original = array.front();
    auto* copy = new QAction(original->text(), &menu);
    copy->setObjectName(original->objectName());
    copy->setProperty("Index", static_cast<int>(array.size()));
    copy->setCheckable(original->isCheckable());
    copy->setChecked(original->isChecked());
    copy->setVisible(original->isVisible());
    menu.insertAction(before, copy);
    array.push_back(copy);
    return copy;
}

void frmMain::unloadCopies(std::vector<QAction*>& array) {
    while (array.size() > 1) {
        delete array.back();
        array.pop_back();
    }
}

QAction* frmMain::loadAlternativeItem() {
    QAction* item = loadCopy(mnuAlt_, *menu(QStringLiteral("mnuAlternatives")),
                             menuItem(QStringLiteral("sep21")));
    const int index = static_cast<int>(mnuAlt_.size()) - 1;
    connect(item, &QAction::triggered, this, [this, index] { mnuAlt_Click(index); });
    return item;
}

void frmMain::listAlternatives(const QStringList& names, int checked) {
    // Items already there are kept: the list is redone while one of them is being chosen.
    const auto wanted = static_cast<std::size_t>(std::max<qsizetype>(names.size(), 1));
    QMenu& alternatives = *menu(QStringLiteral("mnuAlternatives"));
    while (mnuAlt_.size() > wanted) {
        alternatives.removeAction(mnuAlt_.back());
        mnuAlt_.back()->deleteLater();
        mnuAlt_.pop_back();
    }
    for (int i = 0; i < names.size(); ++i) {
        QAction* item = static_cast<std::size_t>(i) < mnuAlt_.size()
                            ? mnuAlt_[static_cast<std::size_t>(i)]
                            : loadAlternativeItem();
        showInMenuItem(*item, alternatives, names[i]);
        item->setData(QString::number(i + 1));
        item->setChecked(false);
    }
    if (checked >= 0 && static_cast<std::size_t>(checked) < mnuAlt_.size()) {
        mnuAlt_[static_cast<std::size_t>(checked)]->setChecked(true);
    }
}

void frmMain::setup_Alternatives_Menu() {
    unloadCopies(mnuAlt_);
    const std::shared_ptr<VRN_Matrix> document = program_.Current_Matrix;
    if (document == nullptr) {
        return;
    }
    const QMenu& alternatives = *menu(QStringLiteral("mnuAlternatives"));
    for (int i = 1; i <= document->Alt_count; ++i) {
        QAction* item = loadAlternativeItem();
        showInMenuItem(*item, alternatives, QString::fromStdString(document->alternative(i)->Name));
        item->setData(QString::number(i));
    }
    if (document->Alt_i >= 0 && static_cast<std::size_t>(document->Alt_i) < mnuAlt_.size()) {
        mnuAlt_[static_cast<std::size_t>(document->Alt_i)]->setChecked(true);
    }
}

void frmMain::mnuAlt_Click(int index) {
    for (QAction* item : mnuAlt_) {
        item->setChecked(false);
    }
    if (index < 0 || static_cast<std::size_t>(index) >= mnuAlt_.size()) {
        return;
    }
    QAction* chosen = mnuAlt_[static_cast<std::size_t>(index)];
    chosen->setChecked(true);
    bool numeric = false;
    const int tag = chosen->data().toString().toInt(&numeric);
    const auto number = static_cast<std::int16_t>(numeric ? tag : 1);
    if (frmMatrix* window = activeMatrixWindow()) {
        runCommand([window, number] {
            window->use_alternative(true, number);
            window->Redraw();
        });
    }
}

void frmMain::setup_interaction_Menu() {
    menuItem(QStringLiteral("mnuInteractionDetails"))->setVisible(false);
    exceptions_.front()->setVisible(true);
    unloadCopies(exceptions_);
    const int count = program_.Current_Interaction != nullptr
                          ? program_.Current_Interaction->except_col().Count()
                          : 0;
    QMenu& popup = *menu(QStringLiteral("mnuInteraction"));
    for (int i = 1; i <= count; ++i) {
        QAction* item = loadCopy(exceptions_, popup, nullptr);
        connect(item, &QAction::triggered, this, [this, i] { Exceptions_Click(i); });
        services_.prompt.messageBox(kStandaloneMessage);
    }
    exceptions_.front()->setVisible(false);
}

void frmMain::Exceptions_Click(int) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    services_.prompt.messageBox(kStandaloneMessage);
    QApplication::restoreOverrideCursor();
}

void frmMain::rebuildWindowList() {
    for (QAction* entry : windowList_) {
        delete entry;
    }
    windowList_.clear();
    const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
    if (children.isEmpty()) {
        return;
    }
    QMenu& windows = *menu(QStringLiteral("mnuWindow"));
    windowList_.push_back(windows.addSeparator());
    int number = 0;
    for (QMdiSubWindow* child : children) {
        const auto* window = qobject_cast<const frmMatrix*>(child->widget());
        const QString caption = window != nullptr ? window->Caption() : child->windowTitle();
        QAction* entry = windows.addAction(QString());
        showInMenuItem(*entry, windows, caption, QStringLiteral("&%1 ").arg(++number));
        entry->setCheckable(true);
        entry->setChecked(child == activeChild());
        connect(entry, &QAction::triggered, this,
                [this, child] { mdiArea_->setActiveSubWindow(child); });
        windowList_.push_back(entry);
    }
}

void frmMain::mnuHelpContents_Click() {
    services_.prompt.messageBox(kNoHelpMessage, {.icon = MsgBoxIcon::Information}, windowTitle());
}

void frmMain::mnuHelpDirections_Click() {
    // The directions are the active matrix's: without one there are none to show.
    if (activeMatrixWindow() == nullptr) {
        return;
    }
    Show_Directions_Dialog(program_, services_.prompt, QStringLiteral("Directions"),
                           program_.Directions_Object, this);
}

void frmMain::mnuHelpAbout_Click() {
    program_.About_Mode = true;
    emit aboutRequested();
}

bool frmMain::Checked(ViewMark mark) const {
    return menuItem(QLatin1String(viewMarkItem(mark)))->isChecked();
}

void frmMain::setChecked(ViewMark mark, bool checked) {
    menuItem(QLatin1String(viewMarkItem(mark)))->setChecked(checked);
}

bool frmMain::mnuFileSaveEnabled() const {
    return menuItem(QStringLiteral("mnuFileSave"))->isEnabled();
}

void frmMain::setMnuFileSaveEnabled(bool enabled) {
    menuItem(QStringLiteral("mnuFileSave"))->setEnabled(enabled);
}

}  // namespace vrn
