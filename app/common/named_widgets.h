#pragma once

#include <QLabel>
#include <QPushButton>

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

}  // namespace vrn
