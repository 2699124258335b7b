#pragma once

#include "app/common/preferences.h"
#include "app/shell/active_matrix_font.h"
#include "platform/prompt.h"
#include "platform/settings_store.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QTabWidget;

namespace vrn {

class CellButton;

// The options dialog: layout sizes and font size with a preview, the drawing template folder,
// the five user colours and the browser path. OK applies them to the run's preferences, which
// every matrix window opened afterwards starts with, and to the active matrix's font size, and
// stores them; Cancel leaves the preferences, the matrix and the settings as they were,
// whatever Restore Defaults or a colour choice showed.
//
// Without an active matrix the font size box shows and sets the preferences' practice font
// size, the one new matrices start with.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(Preferences& preferences, SettingsStore& settings, Prompt& prompt,
                  ActiveMatrixFont* activeMatrix, QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // Lays the preview out from the size and font boxes; false (and the preview as far as it
    // got) when a box does not convert or holds a size the preview cannot take.
    bool setButtons();

    // Swatches 0 to 4 are the user colours; 5 is kept hidden.
    static constexpr int kSwatchCount = 6;

private:
    QWidget* buildFormatingTab();
    QWidget* buildVisioTab();
    QWidget* buildColorsTab();
    QWidget* buildInternetTab();
    QLineEdit* addSizeBox(const char* name);

    void loadValues();
    void layOutPreview();
    void leaveBox(QLineEdit* box);
    void restoreBox(QLineEdit* box);
    void restoreDefaults();
    void lookupTemplateDir();
    void lookupBrowser();
    void chooseSwatchColor(int index);
    void acceptOptions();
    void moveTab(int step);

    std::optional<QString> lookupExistingFile(const QString& title);
    qint16 practiceFontSize() const;
    void setPracticeFontSize(qint16 points);

    // The layout values the dialog would apply: what a box that does not convert is put back
    // to.
    struct LayoutValues {
        float groupHeight = 0;
        float practiceHeight = 0;
        float practiceWidth = 0;
        qint16 fontSize = 0;
    };

    Preferences& preferences_;
    SettingsStore& settings_;
    Prompt& prompt_;
    ActiveMatrixFont* activeMatrix_;
    LayoutValues layout_;

    QTabWidget* tabs_ = nullptr;
    QLineEdit* txtPGHeight_ = nullptr;
    QLineEdit* txtPHeight_ = nullptr;
    QLineEdit* txtPWidth_ = nullptr;
    QLineEdit* txtFontSize_ = nullptr;
    QLineEdit* txtTemplateDir_ = nullptr;
    QLineEdit* txtBrowser_ = nullptr;
    CellButton* btnPG_ = nullptr;
    CellButton* btnP1_ = nullptr;
    CellButton* btnP2_ = nullptr;
    std::array<CellButton*, kSwatchCount> swatches_{};
};

}  // namespace vrn
