#pragma once

#include <string>

#include "model/model_fwd.h"

namespace vrn {

class DrawingPage;

// The name of the web page published for the catalogue entity whose "kt_ID" is `ktId`; the same
// for every export of that entity, so a new export replaces the old page.
std::string HtmlFileName(const std::string& ktId);

// `prefix` followed by `name`, with a "/" between them unless the prefix is empty or already
// ends in a separator ("/", or for a folder also "\").
std::string JoinHtmlPath(const std::string& folder, const std::string& name);
std::string JoinHtmlUrl(const std::string& urlPrefix, const std::string& name);

// Writes the finished `page` as the web page of the matrix window's catalogue entity, into the
// document's VRN_HTML_Path, links it to the entity under its VRN_HTML_URL and tells the user.
// Throws ModelError when the window holds no entity or the entity's ID is unfit for a file
// name, and DrawingError when the page cannot be written; nothing is linked then. A link the
// entity refuses is reported to the user; the page stays written.
void PublishDrawingAsHtml(VRN_Matrix& document, DrawingPage& page);

}  // namespace vrn
