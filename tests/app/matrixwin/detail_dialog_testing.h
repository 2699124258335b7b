#pragma once

#include "app/matrixwin/detail_dialogs.h"
#include "app/matrixwin/vrn_main.h"
#include "platform/testing/recording_program_starter.h"
#include "platform/testing/scripted_prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace vrn::testing {

// The program state, prompt and starter the detail dialogs are opened with.
class DetailDialogTest : public ::testing::Test {
protected:
    DetailDialogTest() { program_.prefs.Browser_Path = QStringLiteral("/opt/browser"); }
    ~DetailDialogTest() override {
        EXPECT_TRUE(prompt_.problems().isEmpty()) << prompt_.problems().join('\n').toStdString();
    }

    DetailDialogServices services() { return {program_, prompt_, starter_}; }

    template <class Control = QWidget>
    static Control& child(const QWidget& dialog, const char* name) {
        auto* control = dialog.findChild<Control*>(QLatin1String(name));
        if (control == nullptr) {
            throw std::out_of_range(std::string("no control ") + name);
        }
        return *control;
    }
    static void click(const QWidget& dialog, const char* name) {
        child<QAbstractButton>(dialog, name).click();
    }
    // The box loses the focus, as when the user moves on.
    static void leave(QWidget& box) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&box, &out);
    }
    static void doubleClick(QWidget& target) {
        const QPointF at(2, 2);
        QMouseEvent event(QEvent::MouseButtonDblClick, at, target.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &event);
    }
    static qint32 shownColor(const QWidget& dialog) {
        return child<QAbstractButton>(dialog, "btnmycolor").property("BackColor").toInt();
    }

    VrnMain program_;
    ScriptedPrompt prompt_;
    RecordingProgramStarter starter_;
};

}  // namespace vrn::testing
