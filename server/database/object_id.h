#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kt {

// Every object the catalogue hands out is named by one public ID: its record key times 100
// plus a two-digit kind code.
inline constexpr std::int32_t kind_entity = 0;
inline constexpr std::int32_t kind_stored_attribute = 70;
inline constexpr std::int32_t kind_relation = 80;

// System attributes are computed from their entity; their kind codes are 1 to 16.
inline constexpr std::int32_t kFirstSystemAttributeKind = 1;
inline constexpr std::int32_t kLastSystemAttributeKind = 16;

// The kind code: the last two characters of the ID's decimal text (the whole text when it is
// shorter), read back as a number. So 1280 gives 80, 1207 gives 7, -170 gives 70, -1 gives -1.
std::int32_t GetIDKind(std::int32_t id);

// The record key: the ID divided by 100, truncated toward zero.
std::int32_t KeyOfID(std::int32_t id);

// key * 100 + kind; an ID outside the 32-bit range raises the overflow error.
std::int32_t EncodeID(std::int32_t key, std::int32_t kind);

inline std::int32_t EntityID(std::int32_t entId) {
    return EncodeID(entId, kind_entity);
}
inline std::int32_t RelationID(std::int32_t relId) {
    return EncodeID(relId, kind_relation);
}
inline std::int32_t StoredAttributeID(std::int32_t atriId) {
    return EncodeID(atriId, kind_stored_attribute);
}

bool IsSystemAttributeKind(std::int32_t kind);

// "kt_Name" is 1 ... "kt_ACL" is 16; names are compared exactly.
std::optional<std::int32_t> SystemAttributeKind(std::string_view name);
// The name of a system attribute kind; empty for any other kind.
std::string_view SystemAttributeName(std::int32_t kind);

}  // namespace kt
