#pragma once

#include <QString>

class QScreen;

namespace vrn {

// User text (names, titles, notes, file names) as Qt's widgets show it literally, whatever it
// holds.

// A tool tip that looks like markup is read as HTML: this one shows the text, in its lines, each
// wrapped to fit `screen` (the primary screen when none is given) and at most 80 average
// characters wide: at word boundaries, and a word longer than that anywhere. A text taller than
// half the screen shows the lines that fit there, the last ending in "…".
QString plainToolTip(const QString& text, const QScreen* screen = nullptr);

// In a menu item, a group box's title or a button, '&' marks the shortcut key: here it is a
// character.
QString literalAmpersands(const QString& text);

// In a window title, "[*]" stands for the modified mark: here it is text.
QString literalWindowTitle(const QString& text);

}  // namespace vrn
