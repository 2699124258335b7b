#pragma once

#include "platform/ole_color.h"
#include "platform/settings_store.h"

#include <QString>
#include <QtGlobal>

namespace vrn {

// The user's preferences as the program keeps them for the run: read once at start-up, copied
// into every new or opened matrix, changed by the options dialog and the scale commands.
// Sizes are twips; colours are OLE colours. A default-made value holds the defaults.
struct Preferences {
    // The main window's rectangle.
    float MainLeft = 1000;
    float MainTop = 1000;
    float MainWidth = 9000;
    float MainHeight = 8000;

    float PracticeGroupHeight = 600;
    float PracticeGroupWidth = 1500;
    float PracticeHeight = 600;
    float PracticeWidth = 2700;
    float Delta_updown = 100;  // the scale step
    // Targets of the options dialog's Restore Defaults.
    float Def_PracticeGroupHeight = 600;
    float Def_PracticeHeight = 600;
    float Def_PracticeWidth = 2300;
    qint16 Def_num_alternatives = 1;
    // Both read from "Def_PracticeFontSize"; only the second is a Restore Defaults target.
    qint16 Practice_Font_Size = 10;
    qint16 Def_PracticeFontSize = 10;

    qint32 Color_0 = 0x80FF80;  // highlight
    qint32 Color_1 = 0x0000FF;  // warning
    qint32 Color_2 = 0xFFFFC0;  // practice options; also the default practice colour
    qint32 Color_3 = 0xCFCFCF;  // form background
    qint32 Color_4 = 0x808080;  // blank row
    qint32 HighlightColor = 0x00FFFF;
    qint32 PracticeColor = Color_2;
    qint32 ActivityColor = 0xE0E0E0;
    qint32 PracticeEntityColor = 0xFFFF00;
    qint32 InteractionColor = kOleButtonFace;
    qint32 BlankColor = PracticeColor;

    // Folder of the drawing template and stencil; empty: the one installed with the program.
    QString VisioTemplatePath;
    // Empty: links go to the desktop's handler.
    QString Browser_Path;
    QString HtmlPath = defaultHtmlPath();
    QString HtmlURL = QStringLiteral("/html/Dependency_Maps/");

    bool Show_No_Sponsor = false;

    // The colours in effect for activities and entities; the View menu's colour mark switches
    // them between the plain practice colour and their own. Not stored.
    qint32 Current_ActivityColor = PracticeColor;
    qint32 Current_EntityColor = PracticeColor;

    // Color_0 .. Color_4 by index.
    qint32& color(int index);
    qint32 color(int index) const;

    // Every key, in the order start-up reads them. A missing key, or a stored text that does not
    // convert to the key's type, gives the default; PracticeColor defaults to the Color_2 just
    // read and BlankColor to the PracticeColor just read.
    static Preferences load(const SettingsStore& store);
    // Writes every key, so that load gives this value back.
    void store(SettingsStore& store) const;

    // The folder the drawing commands read the template and stencil from.
    QString templateFolder() const;
    // The templates installed with the program (or in the build tree it runs from); empty when
    // there are none.
    static QString installedTemplatePath();
    static QString defaultHtmlPath();

    bool operator==(const Preferences&) const = default;
};

// Number of the colours Color_0 .. Color_4.
inline constexpr int kPreferenceColorCount = 5;

}  // namespace vrn
