#pragma once

#include <string>

namespace vrn {

class SvgDrawingPage;

// One self-contained web page showing `page` as inline SVG, titled with the page's name. The
// page is well-formed XML as well as HTML; nothing from the drawing is pasted in unescaped.
std::string HtmlExportPage(const SvgDrawingPage& page);

}  // namespace vrn
