#pragma once
#include "platform/icmp_echo.h"

#include <memory>
#include <string>

namespace corvane {

// The ICMP service of Windows, loaded at run time from `library`. Tests pass a
// library that is not there, or one that lacks an entry point.
std::unique_ptr<IcmpEcho> CreateWin32IcmpEcho(const std::string& library = "icmp.dll");

} // namespace corvane
