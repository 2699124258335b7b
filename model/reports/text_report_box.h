#pragma once

#include <string>

namespace vrn {

// The window's text box that the plain-text report is printed from: it takes the whole text
// (CR LF line ends) and prints it in its own font and layout.
class TextReportBox {
public:
    virtual ~TextReportBox() = default;

    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
    // Prints the whole text. Throws PrinterError when it cannot be printed.
    virtual void SelPrint() = 0;
};

}  // namespace vrn
