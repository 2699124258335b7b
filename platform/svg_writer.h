#pragma once

#include <string>

namespace vrn {

class SvgDrawingPage;

// The page as an <svg> element, to stand alone or inside a web page: one inch is 72 user units,
// the page's own y axis turned to SVG's downward one. Every text and attribute taken from the
// drawing is escaped.
std::string SvgElement(const SvgDrawingPage& page);
// The same as a stand-alone SVG file.
std::string SvgDocument(const SvgDrawingPage& page);

}  // namespace vrn
