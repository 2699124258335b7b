#pragma once

namespace kt {

// The catalogue server's own version, reported by KTDB::Version.
struct ServerVersion {
    int major;
    int minor;
    int revision;
};

inline constexpr ServerVersion kServerVersion{0, 1, 0};

}  // namespace kt
