#pragma once

#include <cstdint>
#include <string_view>

namespace vrn {

// FNV-1a: a 64-bit hash that is the same in every run and every program, enough to tell runs of
// bytes apart. A hash of bytes that come in pieces goes on from the hash of those before.
inline constexpr std::uint64_t kFnv1aStart = 14695981039346656037ULL;

inline std::uint64_t Fnv1aHash(std::string_view bytes, std::uint64_t hash = kFnv1aStart) {
    constexpr std::uint64_t kPrime = 1099511628211ULL;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * kPrime;
    }
    return hash;
}

}  // namespace vrn
