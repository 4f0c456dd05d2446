#pragma once
#include <string>

#include "platform/icmp_echo.h"

namespace corvane {

// The lines of the quick ping's output window.
// "Sending 56 bytes to 192.168.1.1"
std::string PingRequestLine(int size, const std::string& hostIP);
// "Received 56 bytes from 192.168.1.1 (1 msecs)" when status (the reply count)
// is not 0, else "Cannot ping host (192.168.1.1) : Request timed out".
std::string PingReplyLine(int status, const IcmpEchoReply& reply, const std::string& hostIP,
                          const std::string& errorString);

} // namespace corvane
