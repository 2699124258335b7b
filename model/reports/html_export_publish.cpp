#include "model/reports/html_export_publish.h"

#include <algorithm>
#include <exception>

#include "model/interfaces/catalogue_value.h"
#include "model/model_error.h"
#include "model/reports/drawing_page.h"
#include "model/reports/html_export_link.h"
#include "model/vrn_matrix.h"

namespace vrn {

namespace {

constexpr char kFilePrefix[] = "VRN_";
constexpr char kFileMiddle[] = "_12345";
constexpr char kFileExtension[] = ".html";
constexpr char kLinkTarget[] = "Varnel";
constexpr char kLinkKind[] = "VRN";
constexpr long kPublicAcl = 0;

bool EndsWithAny(const std::string& text, const std::string& endings) {
    return !text.empty() && endings.find(text.back()) != std::string::npos;
}

std::string Join(const std::string& prefix, const std::string& name, const std::string& ends) {
    if (prefix.empty() || EndsWithAny(prefix, ends)) {
        return prefix + name;
    }
    return prefix + "/" + name;
}

// An ID becomes part of a file name and a URL: letters, digits, "-" and "_" only.
bool FitForFileName(const std::string& id) {
    return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '-' || c == '_';
    });
}

}  // namespace

std::string HtmlFileName(const std::string& ktId) {
    return kFilePrefix + ktId + kFileMiddle + kFileExtension;
}

std::string JoinHtmlPath(const std::string& folder, const std::string& name) {
    return Join(folder, name, "/\\");
}

std::string JoinHtmlUrl(const std::string& urlPrefix, const std::string& name) {
    return Join(urlPrefix, name, "/");
}

void PublishDrawingAsHtml(VRN_Matrix& document, DrawingPage& page) {
    const auto entity = document.InForm != nullptr ? document.InForm->ent() : nullptr;
    if (!entity) {
        throw ModelError(
            "The drawing cannot be published as a web page: the matrix window is not linked to "
            "a catalogue entity.");
    }
    const std::string entityName = entity->Name();
    const std::string id = CatalogueText(entity->GetAttributeValue("kt_ID"));
    if (!FitForFileName(id)) {
        throw ModelError("The drawing cannot be published as a web page: the catalogue ID '" + id +
                         "' of '" + entityName + "' cannot name a file.");
    }
    const std::string fileName = HtmlFileName(id);
    const std::string path = JoinHtmlPath(document.VRN_HTML_Path, fileName);
    const std::string URL = JoinHtmlUrl(document.VRN_HTML_URL, fileName);

    page.Export(path);

    std::string refusal;
    try {
        if (!Make_Link(*entity, kLinkTarget, kLinkKind, URL, "The Varnel for '" + entityName + "'.",
                       kPublicAcl)) {
            refusal = "the link was refused.";
        }
    } catch (const std::exception& error) {
        refusal = error.what();
    }
    if (refusal.empty()) {
        document.Context.MsgBox("The Tessary has used Visio to generate the HTML file: '" + path +
                                "' and has added an external link to : '" + entityName +
                                "' pointing to this Varnel diagram.");
    } else {
        document.Context.MsgBox("The HTML file '" + path +
                                    "' was written, but no link to it could be added to '" +
                                    entityName + "': " + refusal,
                                MsgButtons::OKOnly, MsgIcon::Exclamation);
    }
}

}  // namespace vrn
