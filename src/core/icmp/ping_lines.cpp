#include "core/icmp/ping_lines.h"

namespace corvane {

std::string PingRequestLine(int size, const std::string& hostIP) {
    return "Sending " + std::to_string(size) + " bytes to " + hostIP;
}

std::string PingReplyLine(int status, const IcmpEchoReply& reply, const std::string& hostIP,
                          const std::string& errorString) {
    if (status != 0)
        return "Received " + std::to_string(reply.DataSize) + " bytes from " + hostIP + " (" +
               std::to_string(reply.RoundTripTime) + " msecs)";
    return "Cannot ping host (" + hostIP + ") : " + errorString;
}

} // namespace corvane
