#pragma once

#include <optional>
#include <string>

#include "model/interfaces/catalogue_entity.h"

namespace vrn {

// A kind of external link a catalogue entity can hold: the code written into the link text and
// the attribute that holds the link.
struct LinkKind {
    int code = 0;
    const char* attributeName = "";
};

// The link kind named `kind` ("Discussion", "Reference", "Example", "Dependency_Map", or "VRN"
// for a matrix page, which is a dependency map); compared exactly, case included.
std::optional<LinkKind> FindLinkKind(const std::string& kind);

// The stored form of a link: code, target name, URL, ACL and description joined by "!".
std::string LinkText(int code, const std::string& targetName, const std::string& URL, long ACL,
                     const std::string& description);

// Attaches a link of `kind` to `URL` to `entity`, under the kind's attribute. False, with
// nothing attached, when `targetName` is empty or the kind is unknown. The entity's own errors
// reach the caller.
bool Make_Link(CatalogueEntity& entity, const std::string& targetName, const std::string& kind,
               const std::string& URL, const std::string& description, long ACL);

}  // namespace vrn
