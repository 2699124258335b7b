#include "app/common/preference_keys.h"
#include "app/matrixwin/scene_paintable.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/text_conversion.h"
#include "platform/twips.h"
#include "tests/app/shell/main_window_fixture.h"
#include "tests/support/modal_script.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace vrn::testing {
namespace {

class MainWindowTest : public MainWindowFixture {
protected:
    void store(const char* section, const char* key, const QString& value) {
        settings_.setText(QLatin1String(section), QLatin1String(key), value);
    }
    QString stored(const char* key) {
        return settings_.text(QLatin1String(prefkey::kVrnSettings), QLatin1String(key))
            .value_or(QString());
    }
    VRN_Matrix& activeDocument() { return *activeWindow().base(); }
};

TEST_F(MainWindowTest, LoadingOpensDocumentOneWithItsGeneratedFileName) {
    load();
    EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
    EXPECT_EQ(activeWindow().filename, "Document_1_1");
    EXPECT_TRUE(activeWindow().LoadNewDoc);
    EXPECT_EQ(program_.Current_Matrix, activeWindow().base());
    EXPECT_EQ(program_.Current_Default_Color, 0xC0C0C0);
}

TEST_F(MainWindowTest, EveryNewWindowTakesTheNextNumber) {
    load();
    item("mnuFileNew").trigger();
    EXPECT_EQ(activeWindow().Caption(), "Document 2");
    EXPECT_EQ(activeWindow().filename, "Document_2_2");
    main_.tbToolBar_ButtonClick("New");
    item("mnuWindowNewWindow").trigger();
    EXPECT_EQ(windowCaptions(),
              QStringList({"Document 1", "Document 2", "Document 3", "Document 4"}));
    EXPECT_EQ(activeWindow().filename, "Document_4_4");
}

TEST_F(MainWindowTest, ANewWindowFromAGroupIsNamedAfterTheGroupAndStartsFromIt) {
    load();
    const auto group = activeDocument().Existing()->PGroups.Item(1);
    group->setName("Sales and Marketing Practices Group");
    main_.New_Matrix_Window(true, nullptr, group);
    frmMatrix& window = activeWindow();
    EXPECT_EQ(window.filename, "Sales_and_Marketing_Prac_2");
    EXPECT_EQ(window.Caption(), "Matrix");
    EXPECT_EQ(window.startup_PG, group);
    const auto copy = window.base()->Existing()->PGroups.Item(1);
    ASSERT_EQ(copy->PracticeParts.Count(), group->PracticeParts.Count());
    EXPECT_EQ(copy->PracticeParts.Item(1)->Name(), group->PracticeParts.Item(1)->Name());
}

TEST_F(MainWindowTest, AnEmptyStoreGivesNewMatricesTheDefaultPreferences) {
    load();
    const VRN_Matrix& document = activeDocument();
    EXPECT_EQ(document.VRN_PracticeGrpHeight, 600);
    EXPECT_EQ(document.VRN_PracticeGrpWidth, 1500);
    EXPECT_EQ(document.VRN_PracticeHeight, 600);
    EXPECT_EQ(document.VRN_PracticeWidth, 2700);
    EXPECT_EQ(document.delta_updown, 100);
    EXPECT_EQ(document.VRN_Practice_Font_Size, 10);
    EXPECT_EQ(document.Alt_count, 1);
    EXPECT_EQ(document.VRN_HighlightColor, 0x00FFFF);
    EXPECT_EQ(document.VRN_PracticeColor, program_.prefs.Color_2);
    EXPECT_EQ(document.Vrn_BlankColor, program_.prefs.Color_2);
    EXPECT_EQ(document.VRN_ActivityColor, program_.prefs.Color_2);
    EXPECT_EQ(document.VRN_ActivityColorSave, 0xE0E0E0);
    EXPECT_EQ(document.VRN_EntityColorSave, 0xFFFF00);
    EXPECT_EQ(document.VRN_InteractionColor, kOleButtonFace);
    EXPECT_EQ(document.BrowserPath, "");
    EXPECT_EQ(document.VRN_HTML_URL, "/html/Dependency_Maps/");
    EXPECT_EQ(program_.report, ReportFlags{});
    EXPECT_TRUE(program_.report.Report_MatrixImage);
    EXPECT_FALSE(program_.report.Report_BlankInteractions);
}

TEST_F(MainWindowTest, StoredPreferencesAndTheirDerivedDefaultsReachNewMatrices) {
    store(prefkey::kVrnSettings, prefkey::kPracticeWidth, "3100");
    store(prefkey::kVrnSettings, prefkey::kDefNumAlternatives, "3");
    store(prefkey::kVrnSettings, prefkey::kDefPracticeFontSize, "12");
    store(prefkey::kColors, "Color_2", "4210752");
    store(prefkey::kDirectories, prefkey::kBrowserPath, "/usr/bin/browser");
    load();
    const VRN_Matrix& document = activeDocument();
    EXPECT_EQ(document.VRN_PracticeWidth, 3100);
    EXPECT_EQ(document.Alt_count, 3);
    EXPECT_EQ(document.VRN_Practice_Font_Size, 12);
    // No stored practice or blank colour: both follow the stored Color_2.
    EXPECT_EQ(document.VRN_PracticeColor, 4210752);
    EXPECT_EQ(document.Vrn_BlankColor, 4210752);
    EXPECT_EQ(document.BrowserPath, "/usr/bin/browser");
}

TEST_F(MainWindowTest, TheWindowRectangleComesFromTheStoreAndGoesBackOnClose) {
    store(prefkey::kVrnSettings, prefkey::kMainLeft, "1500");
    store(prefkey::kVrnSettings, prefkey::kMainTop, "1200");
    store(prefkey::kVrnSettings, prefkey::kMainWidth, "12000");
    store(prefkey::kVrnSettings, prefkey::kMainHeight, "9000");
    load();
    const double dpi = main_.logicalDpiX();
    EXPECT_EQ(main_.geometry(), QRect(twipsToPixels(1500, dpi), twipsToPixels(1200, dpi),
                                      twipsToPixels(12000, dpi), twipsToPixels(9000, dpi)));
    main_.setGeometry(QRect(40, 50, 700, 500));
    closeWithoutSaving();
    EXPECT_TRUE(main_.close());
    EXPECT_TRUE(main_.mdiArea().subWindowList().isEmpty());
    EXPECT_EQ(stored(prefkey::kMainLeft), formatSingle(pixelsToTwips(40, dpi)));
    EXPECT_EQ(stored(prefkey::kMainTop), formatSingle(pixelsToTwips(50, dpi)));
    EXPECT_EQ(stored(prefkey::kMainWidth), formatSingle(pixelsToTwips(700, dpi)));
    EXPECT_EQ(stored(prefkey::kMainHeight), formatSingle(pixelsToTwips(500, dpi)));
}

TEST_F(MainWindowTest, ClosingWhileMinimisedKeepsTheStoredRectangle) {
    store(prefkey::kVrnSettings, prefkey::kMainLeft, "1500");
    load();
    main_.showMinimized();
    QApplication::processEvents();
    ASSERT_TRUE(main_.isMinimized());
    closeWithoutSaving();
    EXPECT_TRUE(main_.close());
    EXPECT_EQ(stored(prefkey::kMainLeft), "1500");
    EXPECT_EQ(stored(prefkey::kMainWidth), "");
}

TEST_F(MainWindowTest, AStoredRectangleThatCannotBeShownFallsBackToAReachableOne) {
    store(prefkey::kVrnSettings, prefkey::kMainLeft, "-9000000");
    store(prefkey::kVrnSettings, prefkey::kMainWidth, "-50");
    load();
    const QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_TRUE(screen->availableVirtualGeometry().intersects(main_.geometry()));
    EXPECT_GE(main_.width(), 200);
}

TEST_F(MainWindowTest, ActivationWithoutAMatrixWindowOpensOneAndArmsTheRefresh) {
    load();
    closeWithoutSaving();
    main_.mdiArea().closeAllSubWindows();
    ASSERT_TRUE(main_.mdiArea().subWindowList().isEmpty());
    EXPECT_EQ(program_.Current_Matrix, nullptr);
    main_.MDIForm_Activate();
    EXPECT_EQ(windowCaptions(), QStringList{"Document 2"});
    EXPECT_TRUE(main_.RefreshTimer().isEnabled());
    QTRY_VERIFY(!main_.RefreshTimer().isEnabled());

    main_.MDIForm_Activate();
    EXPECT_EQ(windowCaptions().size(), 1);
}

TEST_F(MainWindowTest, ActivationBeforeLoadingOrWhileClosingOpensNothing) {
    main_.MDIForm_Activate();
    EXPECT_TRUE(main_.mdiArea().subWindowList().isEmpty());
    load();
    closeWithoutSaving();
    QCloseEvent close;
    QApplication::sendEvent(&main_, &close);
    main_.MDIForm_Activate();
    EXPECT_TRUE(main_.mdiArea().subWindowList().isEmpty());
}

TEST_F(MainWindowTest, ACommandLineFileThatCannotBeReadIsReportedAndAnEmptyMatrixOpens) {
    program_.Command_Line = "\"/data/my plan.vrn\"";
    program_.Command_Line_Given = true;
    prompt_.answer(MsgBoxResult::Ok);
    load();
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_TRUE(prompt_.questions()[0].text.contains("'/data/my plan.vrn'"));
    EXPECT_EQ(windowCaptions().size(), 1);
    EXPECT_FALSE(program_.Command_Line_Given);
}

TEST_F(MainWindowTest, ALoneQuoteOnTheCommandLineOpensAnEmptyMatrix) {
    program_.Command_Line = "\"";
    program_.Command_Line_Given = true;
    load();
    EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
    EXPECT_TRUE(prompt_.questions().empty());
}

TEST_F(MainWindowTest, ActivatingAMatrixWindowMakesItsDocumentCurrent) {
    load();
    frmMatrix& first = activeWindow();
    item("mnuFileNew").trigger();
    frmMatrix& second = activeWindow();
    EXPECT_EQ(program_.Current_Matrix, second.base());
    main_.mdiArea().setActiveSubWindow(main_.mdiArea().subWindowList().first());
    EXPECT_EQ(program_.Current_Matrix, first.base());
    EXPECT_TRUE(item("mnuHelpDirections").isEnabled());
}

TEST_F(MainWindowTest, ClosingTheMainWindowClosesEveryMatrixWindowFirst) {
    load();
    item("mnuFileNew").trigger();
    closeWithoutSaving(2);
    item("mnuFileExit").trigger();
    EXPECT_TRUE(main_.mdiArea().subWindowList().isEmpty());
    EXPECT_FALSE(main_.isVisible());
    EXPECT_EQ(program_.Current_Matrix, nullptr);
}

TEST_F(MainWindowTest, CancellingOneSaveStopsTheExitAndEveryWindowStaysOpen) {
    const std::pair<const char*, std::function<void(frmMain&)>> ways[] = {
        {"File > Exit", [this](frmMain&) { item("mnuFileExit").trigger(); }},
        {"the window's close button",
         [](frmMain& main) {
             QCloseEvent close;
             QApplication::sendEvent(&main, &close);
         }},
    };
    load();
    item("mnuFileNew").trigger();
    item("mnuFileNew").trigger();
    const QStringList open = windowCaptions();
    ASSERT_EQ(open.size(), 3);
    for (const auto& [way, exit] : ways) {
        SCOPED_TRACE(way);
        const std::size_t asked = prompt_.questions().size();
        // Document 1 may go unsaved; Document 2 is to be saved, and the user cancels the file
        // dialog and then the different-name question. Document 3 is never asked about.
        closeWithoutSaving();
        prompt_.answer(MsgBoxResult::Yes);
        prompt_.cancel();
        prompt_.answer(MsgBoxResult::Cancel);
        exit(main_);
        QApplication::processEvents();

        EXPECT_EQ(prompt_.pendingAnswers(), 0U);
        ASSERT_EQ(prompt_.questions().size(), asked + 5);
        EXPECT_TRUE(prompt_.questions()[asked].text.startsWith("Document 1\n\n"));
        EXPECT_TRUE(prompt_.questions()[asked + 2].text.startsWith("Document 2\n\n"));
        EXPECT_EQ(windowCaptions(), open);
        EXPECT_EQ(activeWindow().Caption(), "Document 2");
        EXPECT_TRUE(main_.isVisible());
    }

    // Document 1 agreed to an exit that did not happen: the next one asks it again.
    const std::size_t asked = prompt_.questions().size();
    closeWithoutSaving(3);
    item("mnuFileExit").trigger();
    EXPECT_EQ(prompt_.questions().size(), asked + 6);
    EXPECT_TRUE(main_.mdiArea().subWindowList().isEmpty());
    EXPECT_FALSE(main_.isVisible());
}

TEST_F(MainWindowTest, NewRestoresAMaximisedWindowFirst) {
    load();
    QMdiSubWindow* first = main_.activeChild();
    first->showMaximized();
    item("mnuFileNew").trigger();
    EXPECT_FALSE(first->isMaximized());
}

TEST_F(MainWindowTest, ToolbarKeysRunTheirMenuCommandsEvenTheHiddenOnes) {
    load();
    // Open and Save ask for a file, which the user cancels; Save first shows the attribution.
    prompt_.cancel();
    ModalScript dialogs;
    dialogs.then("frmAttribution",
                 [](QDialog& dialog) { dialog.findChild<QPushButton*>("btnOK")->click(); });
    prompt_.cancel();
    // Print asks for the printer, and the user cancels.
    prompt_.cancel();
    struct Case {
        const char* key;
        const char* item;
    };
    for (const Case& c :
         {Case{"Open", "mnuFileOpen"}, Case{"Save", "mnuFileSave"}, Case{"Print", "mnuFilePrint"},
          Case{"Generate", "mnuFileGenerate"}, Case{"Cut", "mnuEditCut"},
          Case{"Copy", "mnuEditCopy"}, Case{"Paste", "mnuEditPaste"},
          Case{"ScaleUp", "mnuViewScaleUp"}, Case{"ScaleDown", "mnuViewScaledown"},
          Case{"FontUp", "mnuViewFontUp"}, Case{"FontDown", "mnuViewFontDown"}}) {
        QSignalSpy ran(&item(c.item), &QAction::triggered);
        main_.toolbarButton(c.key)->trigger();
        EXPECT_EQ(ran.count(), 1) << c.key;
    }
    QSignalSpy printReport(&item("mnuFilePrintReport"), &QAction::triggered);
    prompt_.cancel();
    main_.tbToolBar_ButtonClick("Print");
    main_.tbToolBar_ButtonClick("print");
    EXPECT_EQ(printReport.count(), 0);
}

TEST_F(MainWindowTest, FontButtonsStyleTheSelectedItemAndSpringBackWithoutOne) {
    load();
    QAction& bold = *main_.toolbarButton("Bold");
    bold.trigger();
    EXPECT_FALSE(bold.isChecked());

    const auto practice = activeDocument().Existing()->Practices.Item(1);
    const auto group = activeDocument().Existing()->PGroups.Item(1);
    program_.Current_Item = practice;
    bold.trigger();
    EXPECT_TRUE(practice->fontbold());
    main_.toolbarButton("Underline")->trigger();
    EXPECT_TRUE(practice->FontUnderlined());
    EXPECT_FALSE(practice->FontItalic());
    bold.trigger();
    EXPECT_FALSE(practice->fontbold());

    program_.Current_Item = group;
    main_.toolbarButton("Italic")->trigger();
    EXPECT_TRUE(group->FontItalic());
}

TEST_F(MainWindowTest, TheAlternativesMenuListsTheDocumentsAlternativesAfterAlt) {
    store(prefkey::kVrnSettings, prefkey::kDefNumAlternatives, "3");
    load();
    activeDocument().use_alternative(true, 2);
    // Loaded items copy element 0's mark, which the window's menus set.
    main_.mnuAlt()[0]->setChecked(false);
    main_.setup_Alternatives_Menu();
    QStringList captions;
    QStringList checked;
    for (const QAction* entry : main_.mnuAlt()) {
        captions << entry->text();
        if (entry->isChecked()) {
            checked << entry->text();
        }
    }
    // Element 0 keeps whatever caption the window's menus gave it last.
    EXPECT_EQ(captions.mid(1),
              QStringList({"Target Practices: Alternative 1", "Target Practices: Alternative 2",
                           "Target Practices: Alternative 3"}));
    EXPECT_EQ(checked, QStringList{"Target Practices: Alternative 2"});
    const QList<QAction*> menu = main_.menu("mnuAlternatives")->actions();
    EXPECT_EQ(menu.indexOf(main_.mnuAlt()[3]) + 1, menu.indexOf(&item("sep21")));

    main_.mnuAlt()[3]->trigger();
    EXPECT_EQ(activeDocument().Alt_i, 3);
    // The redraw lists the alternatives again as the window does, the one shown checked.
    ASSERT_EQ(main_.mnuAlt().size(), 3U);
    EXPECT_TRUE(main_.mnuAlt()[2]->isChecked());
    EXPECT_FALSE(main_.mnuAlt()[1]->isChecked());
    EXPECT_EQ(main_.menu("mnuAlternatives")->actions().size(), 10);
    // An item without a number of its own, as "alt" is, picks the first alternative.
    main_.mnuAlt()[0]->setData(QString());
    main_.mnuAlt()[0]->trigger();
    EXPECT_EQ(activeDocument().Alt_i, 1);

    activeDocument().delete_alternative();
    main_.setup_Alternatives_Menu();
    EXPECT_EQ(main_.mnuAlt().size(), 3U);
    EXPECT_EQ(main_.menu("mnuAlternatives")->actions().size(), 10);
}

TEST_F(MainWindowTest, MenusNameAlternativesAndWindowsAsTyped) {
    // A menu takes '&' for a shortcut key; what the user reads is the item's icon text.
    const QString name = QStringLiteral("R&D <b>first</b>");
    const QString caption = QStringLiteral("/plans/Q&A [*] draft.vrn");
    load();
    activeDocument().alternative(1)->Name = name.toStdString();
    activeWindow().setCaption(caption);
    activeWindow().Do_menus();
    ASSERT_FALSE(main_.mnuAlt().empty());
    EXPECT_EQ(main_.mnuAlt()[0]->iconText(), name);
    EXPECT_TRUE(QKeySequence::mnemonic(main_.mnuAlt()[0]->text()).isEmpty());
    main_.setup_Alternatives_Menu();
    EXPECT_EQ(main_.mnuAlt().back()->iconText(), name);

    QMenu& windows = *main_.menu("mnuWindow");
    emit windows.aboutToShow();
    QStringList listed;
    for (const QAction* entry : windows.actions()) {
        if (entry->isCheckable()) {
            listed << entry->iconText();
        }
    }
    EXPECT_EQ(listed, QStringList{"1 " + caption});
    EXPECT_EQ(activeWindow().Caption(), caption);
}

TEST_F(MainWindowTest, PreparingTheInteractionPopupReportsEveryExceptionOfTheStandaloneProgram) {
    load();
    auto interaction = std::make_shared<VRN_MatrixInteraction>();
    interaction->except_col().Add(std::make_shared<CatalogueObject>());
    interaction->except_col().Add(std::make_shared<CatalogueObject>());
    program_.Current_Interaction = interaction;
    for (int i = 0; i < 3; ++i) {
        prompt_.answer(MsgBoxResult::Ok);
    }
    main_.setup_interaction_Menu();
    ASSERT_EQ(prompt_.questions().size(), 2U);
    EXPECT_EQ(prompt_.questions()[0].text,
              "This operation is Unsupported in the standalone version of the VRN software");
    ASSERT_EQ(main_.Exceptions().size(), 3U);
    EXPECT_FALSE(main_.Exceptions()[0]->isVisible());
    EXPECT_EQ(main_.Exceptions()[2]->text(), "Exceptions");
    EXPECT_TRUE(main_.Exceptions()[2]->isVisible());
    EXPECT_FALSE(item("mnuInteractionDetails").isVisible());

    main_.Exceptions()[1]->trigger();
    EXPECT_EQ(prompt_.questions().size(), 3U);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    program_.Current_Interaction = std::make_shared<VRN_MatrixInteraction>();
    main_.setup_interaction_Menu();
    EXPECT_EQ(main_.Exceptions().size(), 1U);
    EXPECT_EQ(prompt_.questions().size(), 3U);
}

TEST_F(MainWindowTest, LinksGoToTheBrowserAsOneHarmlessArgument) {
    program_.prefs.Browser_Path = "/usr/bin/browser";
    main_.Open_In_Browser("; rm -rf ~");
    main_.Open_In_Browser("   ");
    ASSERT_EQ(starter_.starts().size(), 1U);
    EXPECT_EQ(starter_.starts()[0].program, "/usr/bin/browser");
    EXPECT_EQ(starter_.starts()[0].arguments, QStringList{"; rm -rf ~"});
}

TEST_F(MainWindowTest, ADocumentThatCannotBeMadeIsReportedAndTheProgramGoesOn) {
    store(prefkey::kVrnSettings, prefkey::kDefNumAlternatives, "-1");
    prompt_.answer(MsgBoxResult::Ok);
    load();
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions()[0].text, "A matrix cannot have -1 alternatives.");
    EXPECT_EQ(prompt_.questions()[0].title, "Error");
    EXPECT_EQ(windowCaptions(), QStringList{"Document 1"});
    main_.MDIForm_Activate();
    EXPECT_EQ(windowCaptions().size(), 1);
}

TEST_F(MainWindowTest, HelpContentsExplainsThereIsNoHelpAndAboutAsksForTheSplash) {
    load();
    item("mnuHelpContents").setEnabled(true);
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuHelpContents").trigger();
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions()[0].text,
              "Unable to display Help Contents. There is no Help associated with this project.");
    EXPECT_EQ(prompt_.questions()[0].style.icon, MsgBoxIcon::Information);
    EXPECT_EQ(prompt_.questions()[0].title, main_.windowTitle());

    QSignalSpy about(&main_, &frmMain::aboutRequested);
    item("mnuHelpAbout").trigger();
    EXPECT_EQ(about.count(), 1);
    EXPECT_TRUE(program_.About_Mode);
}

// A name of any length leaves the Alternatives and Window menus within the screen: the item
// ends in "…" and its tool tip shows the name.
TEST_F(MainWindowTest, MenusWithLongNamesFitTheScreen) {
    const QString name = QString(QStringLiteral("Outsourced billing & claims ")).repeated(1800);
    load();
    activeDocument().alternative(1)->Name = name.toStdString();
    activeWindow().setCaption(name);
    activeWindow().Do_menus();
    QMenu& alternatives = *main_.menu("mnuAlternatives");
    QMenu& windows = *main_.menu("mnuWindow");
    emit windows.aboutToShow();
    const int screenWidth = main_.screen()->availableGeometry().width();
    for (QMenu* menu : {&alternatives, &windows}) {
        SCOPED_TRACE(menu->objectName().toStdString());
        EXPECT_LE(menu->sizeHint().width(), screenWidth);
        EXPECT_TRUE(menu->toolTipsVisible());
    }
    const QAction& item = *main_.mnuAlt()[0];
    EXPECT_TRUE(item.iconText().startsWith(QStringLiteral("Outsourced billing & claims")));
    EXPECT_TRUE(item.iconText().endsWith(QChar(0x2026)));
    EXPECT_TRUE(item.toolTip().contains(QStringLiteral("Outsourced billing &amp; claims")));
    main_.setup_Alternatives_Menu();
    EXPECT_LE(alternatives.sizeHint().width(), screenWidth);
}

TEST_F(MainWindowTest, WindowMenuArrangesTheWindowsAndListsThem) {
    load();
    item("mnuFileNew").trigger();
    item("mnuWindowTileVertical").trigger();
    const QList<QMdiSubWindow*> children = main_.mdiArea().subWindowList();
    ASSERT_EQ(children.size(), 2);
    EXPECT_EQ(children[0]->y(), children[1]->y());
    EXPECT_NE(children[0]->x(), children[1]->x());
    item("mnuWindowTileHorizontal").trigger();
    EXPECT_EQ(children[0]->x(), children[1]->x());
    EXPECT_NE(children[0]->y(), children[1]->y());

    QMenu& windows = *main_.menu("mnuWindow");
    emit windows.aboutToShow();
    QStringList listed;
    for (const QAction* entry : windows.actions()) {
        if (entry->isCheckable()) {
            listed << entry->text() + (entry->isChecked() ? "*" : "");
        }
    }
    EXPECT_EQ(listed, QStringList({"&1 Document 1", "&2 Document 2*"}));
    emit windows.aboutToShow();
    EXPECT_EQ(windows.actions().size(), 6 + 3);
}

TEST_F(MainWindowTest, AWindowLeftWhereItWasStoresItsRectangleUnchanged) {
    const char* const rectangles[][4] = {
        {"1000", "1000", "9000", "8000"},
        {"1507", "777", "12345", "9999"},
    };
    for (const auto& stored_ : rectangles) {
        SCOPED_TRACE(stored_[0]);
        MemorySettingsStore settings;
        const char* keys[] = {prefkey::kMainLeft, prefkey::kMainTop, prefkey::kMainWidth,
                              prefkey::kMainHeight};
        for (int i = 0; i < 4; ++i) {
            settings.setText(QLatin1String(prefkey::kVrnSettings), QLatin1String(keys[i]),
                             QLatin1String(stored_[i]));
        }
        // Three starts in a row.
        for (int run = 0; run < 3; ++run) {
            VrnMain program;
            program.Standalone = true;
            frmMain main(program, {settings, prompt_, starter_});
            program.Main_Window = &main;
            main.Show();
            QApplication::processEvents();
            closeWithoutSaving();
            ASSERT_TRUE(main.close());
        }
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(settings.text(QLatin1String(prefkey::kVrnSettings), QLatin1String(keys[i])),
                      QLatin1String(stored_[i]))
                << keys[i];
        }
    }
}

TEST_F(MainWindowTest, TheFirstStartTakesAGenerousShareOfTheScreenAndKeepsWindowsInside) {
    load();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(main_.width(), available.width() * 8 / 10);
    EXPECT_GE(main_.height(), available.height() * 8 / 10);
    EXPECT_TRUE(available.contains(main_.geometry()));

    main_.openMatrixFile(QStringLiteral(VRN_SOURCE_DIR "/scripts/data/sample.vrn"));
    QApplication::processEvents();
    QMdiArea& area = main_.mdiArea();
    const QRect space = area.viewport()->rect();
    for (QMdiSubWindow* child : area.subWindowList()) {
        EXPECT_TRUE(space.contains(child->geometry()))
            << child->windowTitle().toStdString() << " lies outside the workspace";
    }
    // Scrolled to the end of both bars, the far corner of the drawing is in sight.
    frmMatrix& window = activeWindow();
    ASSERT_EQ(window.Caption(), QStringLiteral(VRN_SOURCE_DIR "/scripts/data/sample.vrn"));
    QRectF drawing;
    for (const ScenePaintable* control : window.canvas().controlsIn(QRectF(-1e6, -1e6, 2e6, 2e6))) {
        drawing |= control->paintRect();
    }
    ASSERT_FALSE(drawing.isEmpty());
    const QSize canvas = window.canvas().size();
    window.HScroll()->setValue(window.HScroll()->maximum());
    window.VScroll()->setValue(window.VScroll()->maximum());
    QRectF scrolled;
    for (const ScenePaintable* control : window.canvas().controlsIn(QRectF(-1e6, -1e6, 2e6, 2e6))) {
        scrolled |= control->paintRect();
    }
    EXPECT_LE(scrolled.right(), canvas.width() + 1);
    EXPECT_LE(scrolled.bottom(), canvas.height() + 1);
    if (drawing.right() > canvas.width()) {
        EXPECT_GT(window.HScroll()->maximum(), 0);
    }

    // Cascade keeps every window large enough to work in, even a single one.
    item("mnuWindowCascade").trigger();
    for (QMdiSubWindow* child : area.subWindowList()) {
        EXPECT_GE(child->width(), space.width() / 2);
        EXPECT_GE(child->height(), space.height() / 2);
        EXPECT_TRUE(space.contains(child->geometry()));
    }
    closeWithoutSaving(2);
}

}  // namespace
}  // namespace vrn::testing
