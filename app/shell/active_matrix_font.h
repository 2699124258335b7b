#pragma once

#include <QtGlobal>

namespace vrn {

// The practice font size of the active matrix, which the options dialog shows and changes at
// once. The main window hands one in while a matrix window is active.
class ActiveMatrixFont {
public:
    virtual ~ActiveMatrixFont() = default;

    virtual qint16 practiceFontSize() const = 0;
    virtual void setPracticeFontSize(qint16 points) = 0;
};

}  // namespace vrn
