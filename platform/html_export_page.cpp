#include "platform/html_export_page.h"

#include "platform/drawing_svg_page.h"
#include "platform/svg_markup.h"
#include "platform/svg_writer.h"

namespace vrn {

std::string HtmlExportPage(const SvgDrawingPage& page) {
    std::string html =
        "<!DOCTYPE html>\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
        "<head>\n"
        "<meta charset=\"utf-8\"/>\n"
        "<title>";
    AppendEscapedMarkup(html, page.Name());
    html +=
        "</title>\n"
        "<style>body { margin: 0; background: #FFFFFF; } svg { display: block; }</style>\n"
        "</head>\n"
        "<body>\n";
    html += SvgElement(page);
    html += "</body>\n</html>\n";
    return html;
}

}  // namespace vrn
