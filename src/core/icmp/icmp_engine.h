#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/host_resolver.h"
#include "platform/icmp_echo.h"

namespace corvane {

class TICMPException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Sends one ICMP echo request at a time through the system's ICMP service and
// keeps the answer. The target is resolved once per change of address. Used
// from one thread; Ping blocks it for up to Timeout plus a name lookup.
class TICMP {
  public:
    using TICMPDisplay = std::function<void(TICMP& sender, const std::string& msg)>;
    using TICMPRequest = std::function<void(TICMP& sender)>;
    using TICMPReply = std::function<void(TICMP& sender, int error)>;

    static constexpr const char* kPayload = "Pinging from Vorlex code written by Q. Amsund";

    // Both services are borrowed and must outlive the engine. Throws
    // TICMPException when the ICMP service cannot be opened.
    TICMP(IcmpEcho& service, HostResolver& resolver);
    ~TICMP();
    TICMP(const TICMP&) = delete;
    TICMP& operator=(const TICMP&) = delete;

    void SetAddress(const std::string& address);
    void ResolveAddr();
    int Ping();
    std::string GetErrorString() const;

    int Size = 56;
    int Timeout = 4000;
    int TTL = 64;
    int Flags = 0;

    TICMPDisplay OnDisplay;
    TICMPRequest OnEchoRequest;
    TICMPReply OnEchoReply;

    const IcmpEchoReply& Reply() const { return reply_; }
    std::uint32_t ErrorCode() const { return errorCode_; }
    const std::string& Address() const { return address_; }
    const std::string& HostName() const { return hostName_; }
    const std::string& HostIP() const { return hostIP_; }
    std::uint32_t IPAddress() const { return ipAddress_; } // network byte order
    bool Resolved() const { return resolved_; }

  private:
    void Display(const std::string& msg);

    IcmpEcho& service_;
    HostResolver& resolver_;
    IcmpEchoReply reply_{};
    std::string address_;
    std::string hostName_;
    std::string hostIP_;
    std::uint32_t ipAddress_ = 0xFFFFFFFFu;
    std::uint32_t errorCode_ = 0;
    bool resolved_ = false;
};

// The request bytes for a request of `size` bytes: the payload text cut to
// size, padded with blanks.
std::string EchoPayload(int size);

// The text of an IP_STATUS (or other) error code.
std::string IcmpErrorString(std::uint32_t code);

} // namespace corvane
