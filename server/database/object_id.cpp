#include "server/database/object_id.h"

#include <array>
#include <limits>
#include <string>

#include "server/database/errors.h"

namespace kt {

namespace {
constexpr std::array<std::string_view, kLastSystemAttributeKind> kSystemAttributeNames{
    "kt_Name",       "kt_Contact",          "kt_ID",
    "kt_EntityType", "kt_LastModified",     "kt_Deleted",
    "kt_PIFID",      "kt_DecompCount",      "kt_SpecCount",
    "kt_Bundles",    "kt_Activities",       "kt_ManagingEntity",
    "kt_ResourceID", "kt_ManagingEntities", "kt_ManagingConnectors",
    "kt_ACL"};
}  // namespace

std::int32_t GetIDKind(std::int32_t id) {
    const std::string text = std::to_string(id);
    return std::stoi(text.size() > 2 ? text.substr(text.size() - 2) : text);
}

std::int32_t KeyOfID(std::int32_t id) {
    return id / 100;
}

std::int32_t EncodeID(std::int32_t key, std::int32_t kind) {
    const std::int64_t id = std::int64_t{key} * 100 + kind;
    if (id < std::numeric_limits<std::int32_t>::min() ||
        id > std::numeric_limits<std::int32_t>::max()) {
        throw overflowError();
    }
    return static_cast<std::int32_t>(id);
}

bool IsSystemAttributeKind(std::int32_t kind) {
    return kind >= kFirstSystemAttributeKind && kind <= kLastSystemAttributeKind;
}

std::optional<std::int32_t> SystemAttributeKind(std::string_view name) {
    for (std::size_t i = 0; i < kSystemAttributeNames.size(); ++i) {
        if (kSystemAttributeNames[i] == name) {
            return static_cast<std::int32_t>(i) + kFirstSystemAttributeKind;
        }
    }
    return std::nullopt;
}

std::string_view SystemAttributeName(std::int32_t kind) {
    return IsSystemAttributeKind(kind) ? kSystemAttributeNames[kind - kFirstSystemAttributeKind]
                                       : std::string_view();
}

}  // namespace kt
