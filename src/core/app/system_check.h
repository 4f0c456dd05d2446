#pragma once
#include <cstdint>
#include <optional>

namespace corvane {

inline constexpr const char* kUnsupportedSystemText =
    "This software needs Windows 2000 or Windows XP, aborting.";

// The start-up check: on Windows only major version 5 (2000, XP) passes, read
// from the low byte of GetVersion's value. Other systems have no such value and
// pass.
inline bool SystemSupported(std::optional<std::uint32_t> windowsVersion) {
    return !windowsVersion || (*windowsVersion & 0xFFu) == 5;
}

} // namespace corvane
