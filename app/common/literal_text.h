#pragma once

#include <QString>

namespace vrn {

// User text (names, titles, notes, file names) as Qt's widgets show it literally, whatever it
// holds (platform/user_text.h fits it to the screen).

// In a menu item, a group box's title or a button, '&' marks the shortcut key: here it is a
// character.
QString literalAmpersands(const QString& text);

// In a window title, "[*]" stands for the modified mark: here it is text.
QString literalWindowTitle(const QString& text);

}  // namespace vrn
