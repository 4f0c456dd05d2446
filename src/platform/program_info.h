#pragma once
#include <optional>
#include <string>

namespace corvane {

// The running program's file version as "a.b.c.d"; nullopt when the program
// carries none.
std::optional<std::string> ProgramFileVersion();

// Whether this system is one the program supports. Linux always is.
bool OperatingSystemSupported();

// The directory that holds the system's programs, as the network shell's
// command line needs it. At most 259 characters.
std::string SystemDirectory();

} // namespace corvane
