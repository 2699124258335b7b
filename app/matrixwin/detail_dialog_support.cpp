#include "app/matrixwin/detail_dialog_support.h"

#include "app/matrixwin/kept_text_box.h"
#include "app/matrixwin/vrn_main.h"
#include "platform/browser_launcher.h"
#include "platform/ole_color.h"
#include "platform/prompt.h"

#include <QAbstractButton>
#include <QString>

namespace vrn {

namespace {

// Shorter texts are taken for typing slips, not links.
constexpr qsizetype kShortestLink = 3;
// Room above and below the description's text lines, in pixels.
constexpr int kDescriptionPadding = 8;

}  // namespace

qint32 chooseNewColor(Prompt& prompt, qint32 current) {
    const auto chosen = prompt.chooseColor(QStringLiteral("Choose new color"),
                                           colorFromOle(current), ColorDialogFlags::RgbInit);
    return chosen ? oleFromColor(*chosen) : current;
}

void showButtonColor(QAbstractButton& button, qint32 ole) {
    button.setProperty("BackColor", ole);
    const QColor color = colorFromOle(ole);
    button.setStyleSheet(color.isValid() ? QStringLiteral("background-color: %1").arg(color.name())
                                         : QString());
}

qint32 buttonColor(const QAbstractButton& button) {
    return button.property("BackColor").toInt();
}

KeptTextEdit* newDescriptionBox(QWidget* owner, int lines) {
    auto* box = new KeptTextEdit(owner);
    box->setObjectName(QStringLiteral("txtDescription"));
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 2 * box->frameWidth() +
                        kDescriptionPadding);
    return box;
}

KeptLineEdit* newDiscussionBox(QWidget* owner, bool opensOnDoubleClick) {
    auto* box = new KeptLineEdit(owner);
    box->setObjectName(QStringLiteral("txtDiscussion"));
    if (opensOnDoubleClick) {
        box->setToolTip(QStringLiteral("Double-click to open the link"));
    }
    return box;
}

qint32 colorOrDefault(const VrnMain& program, qint32 color) {
    return color != 0 ? color : program.Current_Default_Color;
}

void openDiscussion(const DetailDialogServices& services, const QString& text) {
    if (text.size() < kShortestLink) {
        return;
    }
    BrowserLauncher(services.starter, services.prompt)
        .openInBrowser(text, services.program.prefs.Browser_Path);
}

}  // namespace vrn
