#include "model/reports/html_export_link.h"

#include <array>
#include <utility>

namespace vrn {

namespace {

constexpr std::array<std::pair<const char*, LinkKind>, 5> kLinkKinds{{
    {"Discussion", {0, "Link_Dis"}},
    {"Reference", {1, "Link_Ref"}},
    {"Example", {2, "Link_Ex"}},
    {"Dependency_Map", {3, "Link_Dependency_Map"}},
    {"VRN", {3, "Link_Dependency_Map"}},
}};

constexpr char kLinkSeparator = '!';

}  // namespace

std::optional<LinkKind> FindLinkKind(const std::string& kind) {
    for (const auto& [name, linkKind] : kLinkKinds) {
        if (kind == name) {
            return linkKind;
        }
    }
    return std::nullopt;
}

std::string LinkText(int code, const std::string& targetName, const std::string& URL, long ACL,
                     const std::string& description) {
    std::string text = std::to_string(code);
    for (const std::string& part : {targetName, URL, std::to_string(ACL), description}) {
        text += kLinkSeparator;
        text += part;
    }
    return text;
}

bool Make_Link(CatalogueEntity& entity, const std::string& targetName, const std::string& kind,
               const std::string& URL, const std::string& description, long ACL) {
    if (targetName.empty()) {
        return false;
    }
    const auto linkKind = FindLinkKind(kind);
    if (!linkKind) {
        return false;
    }
    entity.SetAttributeValue(linkKind->attributeName,
                             LinkText(linkKind->code, targetName, URL, ACL, description));
    return true;
}

}  // namespace vrn
