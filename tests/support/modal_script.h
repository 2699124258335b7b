#pragma once

#include <QApplication>
#include <QDialog>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <utility>

#include <gtest/gtest.h>

namespace vrn::testing {

// Answers the real modal dialogs a test brings up, in order: each step names the dialog it
// expects (its objectName) and acts on it, and must close it. A dialog that comes with no step
// left, or under another name, is rejected and reported, so a test fails instead of waiting.
class ModalScript {
public:
    using Step = std::function<void(QDialog&)>;

    ModalScript() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    ~ModalScript() {
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " dialog steps were never used";
        EXPECT_TRUE(problems_.isEmpty()) << problems_.join('\n').toStdString();
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    void then(const char* dialogName, Step step) {
        steps_.emplace_back(QLatin1String(dialogName), std::move(step));
    }
    // Dialogs seen so far, by name.
    const QStringList& seen() const { return seen_; }

private:
    void poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || handling_.contains(dialog)) {
            return;
        }
        seen_ << dialog->objectName();
        if (steps_.empty() || steps_.front().first != dialog->objectName()) {
            problems_ << QStringLiteral("unexpected dialog %1").arg(dialog->objectName());
            dialog->reject();
            return;
        }
        const Step step = std::move(steps_.front().second);
        steps_.pop_front();
        handling_.insert(dialog);
        step(*dialog);
        handling_.remove(dialog);
        if (dialog->isVisible()) {
            problems_ << QStringLiteral("dialog %1 was left open").arg(dialog->objectName());
            dialog->reject();
        }
    }

    QTimer timer_;
    std::deque<std::pair<QString, Step>> steps_;
    // Dialogs whose step is running (a step may wait in a dialog of its own).
    QSet<QDialog*> handling_;
    QStringList seen_;
    QStringList problems_;
};

}  // namespace vrn::testing
