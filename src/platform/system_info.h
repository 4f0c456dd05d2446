#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What start-up and the about window ask of the operating system.

namespace corvane {

// GetVersion's value (low byte major version, next byte minor, high word the
// build on NT); nullopt on a system that is not Windows.
std::optional<std::uint32_t> WindowsVersion();

// The running program's file version, a.b.c.d; nullopt when it has none.
std::optional<std::string> ProgramFileVersion();

} // namespace corvane
