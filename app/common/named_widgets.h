#pragma once

#include <QLabel>
#include <QObject>
#include <QPushButton>

#include <stdexcept>
#include <string>

namespace vrn {

// Controls of the program's windows carry their design names, so tests and scripts find them.
inline QLabel* namedLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// A button that Enter presses only when it is the dialog's default.
inline QPushButton* namedButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

// The child control `name` of `window`. The program looks up only controls it made, so a name the
// window lacks is a fault: it throws std::out_of_range naming it.
template <class Control>
Control& namedChild(const QObject& window, const char* name) {
    auto* control = window.findChild<Control*>(QLatin1String(name));
    if (control == nullptr) {
        throw std::out_of_range("no control " + std::string(name) + " in " +
                                window.objectName().toStdString());
    }
    return *control;
}

}  // namespace vrn
