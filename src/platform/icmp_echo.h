#pragma once
#include <cstdint>
#include <memory>
#include <span>

#include "platform/ip_helper.h"

namespace corvane {

// IP_STATUS codes of the ICMP service.
enum IpStatus : std::uint32_t {
    kIpSuccess = 0,
    kIpBufTooSmall = 11001,
    kIpDestNetUnreachable = 11002,
    kIpDestHostUnreachable = 11003,
    kIpDestProtUnreachable = 11004,
    kIpDestPortUnreachable = 11005,
    kIpNoResources = 11006,
    kIpBadOption = 11007,
    kIpHwError = 11008,
    kIpPacketTooBig = 11009,
    kIpReqTimedOut = 11010,
    kIpBadReq = 11011,
    kIpBadRoute = 11012,
    kIpTtlExpiredTransit = 11013,
    kIpTtlExpiredReassem = 11014,
    kIpParamProblem = 11015,
    kIpSourceQuench = 11016,
    kIpOptionTooBig = 11017,
    kIpBadDestination = 11018,
    kIpGeneralFailure = 11050,
};

// IP header flag of a request: don't fragment.
inline constexpr std::uint8_t kIpFlagDontFragment = 0x02;

struct IpOptionInformation {
    std::uint8_t Ttl = 0;
    std::uint8_t Tos = 0;
    std::uint8_t Flags = 0;
    std::uint8_t OptionsSize = 0;
    std::uint32_t OptionsData = 0; // the service's own reference; unused here
};

// The reply record of one echo, field for field the 28-byte record of the
// ICMP service. Address is in network byte order.
struct IcmpEchoReply {
    std::uint32_t Address = 0;
    std::uint32_t Status = 0;
    std::uint32_t RoundTripTime = 0; // milliseconds
    std::uint16_t DataSize = 0;      // bytes of data echoed
    std::uint16_t Reserved = 0;
    std::uint32_t Data = 0; // the service's own reference; unused here
    IpOptionInformation Options;
};
static_assert(sizeof(IcmpEchoReply) == 28);

// How opening the service went; each failure has its own message.
enum class IcmpOpenResult {
    Ok,
    SocketsFailed,      // the socket layer could not be started
    ServiceMissing,     // the ICMP service is not there
    EntryPointsMissing, // the service lacks an operation
    HandleFailed,       // no handle (socket) could be opened
};

// One echo request.
struct EchoRequest {
    std::uint32_t destination = 0; // network byte order
    std::span<const std::uint8_t> data;
    IpOptionInformation options; // Ttl and Flags are honoured
    std::uint32_t timeoutMs = 0;
};

// The system's ICMP echo service. One object serves one engine: Open once,
// then any number of SendEcho calls from one thread, then Close.
class IcmpEcho {
  public:
    virtual ~IcmpEcho() = default;

    virtual IcmpOpenResult Open() = 0;
    virtual void Close() = 0;

    // Sends one echo request and waits at most request.timeoutMs for its answer.
    // Returns the number of replies stored (1 on an echo reply, 0 otherwise).
    // `reply` gets what came back: for an echo reply its source, round-trip time
    // and data size; for an error report from a router its source and status.
    // `error` is 0 after a reply, else an IP_STATUS code (kIpReqTimedOut when
    // nothing answered) or a system error code.
    virtual std::uint32_t SendEcho(const EchoRequest& request, IcmpEchoReply& reply,
                                   SysError& error) = 0;
};

// The ICMP service of the running system.
std::unique_ptr<IcmpEcho> CreateSystemIcmpEcho();

} // namespace corvane
