#include "core/icmp/icmp_engine.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/addr/inet.h"

namespace corvane {

namespace {

const char* OpenFailureText(IcmpOpenResult result) {
    switch (result) {
    case IcmpOpenResult::Ok:
        return nullptr;
    case IcmpOpenResult::SocketsFailed:
        return "Error initialising Winsock";
    case IcmpOpenResult::ServiceMissing:
        return "Unable to register icmp.dll";
    case IcmpOpenResult::EntryPointsMissing:
        return "Error loading dll functions";
    case IcmpOpenResult::HandleFailed:
        return "Unable to get ping handle";
    }
    return "Unable to get ping handle";
}

} // namespace

std::string EchoPayload(int size) {
    if (size <= 0)
        return {};
    std::string data(static_cast<std::size_t>(size), ' ');
    std::size_t n = std::min(data.size(), std::strlen(TICMP::kPayload));
    std::memcpy(data.data(), TICMP::kPayload, n);
    return data;
}

std::string IcmpErrorString(std::uint32_t code) {
    switch (code) {
    case 0:
        return "No error";
    case 11001:
        return "Buffer too small";
    case 11002:
        return "Destination network unreachable";
    case 11003:
        return "Destination host unreachable";
    case 11004:
        return "Destination protocol unreachable";
    case 11005:
        return "Destination port unreachable";
    case 11006:
        return "No resources";
    case 11007:
        return "Bad option";
    case 11008:
        return "Hardware error";
    case 11009:
        return "Packet too big";
    case 11010:
        return "Request timed out";
    case 11011:
        return "Bad request";
    case 11012:
        return "Bad route";
    case 11013:
        return "TTL expired in transit";
    case 11014:
        return "TTL expired in reassembly";
    case 11015:
        return "Parameter problem";
    case 11016:
        return "Source quench";
    case 11017:
        return "Option too big";
    case 11018:
        return "Bad Destination";
    case 11019:
        return "Address deleted";
    case 11020:
        return "Spec MTU change";
    case 11021:
        return "MTU change";
    case 11050:
        return "General failure";
    case 11255:
        return "Pending";
    default:
        return "ICMP error #" + std::to_string(code);
    }
}

TICMP::TICMP(IcmpEcho& service, HostResolver& resolver) : service_(service), resolver_(resolver) {
    // A failed open has nothing to release: the service cleans up after itself.
    if (const char* failure = OpenFailureText(service_.Open()))
        throw TICMPException(failure);
}

TICMP::~TICMP() {
    service_.Close();
}

void TICMP::Display(const std::string& msg) {
    if (OnDisplay)
        OnDisplay(*this, msg);
}

void TICMP::SetAddress(const std::string& address) {
    if (address == address_)
        return;
    address_ = address;
    resolved_ = false;
}

void TICMP::ResolveAddr() {
    ipAddress_ = InetAddr(address_);
    if (ipAddress_ != kInaddrNone) {
        hostName_ = address_;
    } else {
        HostEntry entry;
        SysError error = resolver_.GetHostByName(address_, entry);
        if (error == 0 && entry.addresses.empty())
            error = kNoData; // an answer without an address is no answer
        if (error != 0) {
            errorCode_ = error;
            Display("Unable to resolve " + address_);
            return;
        }
        ipAddress_ = entry.addresses.front();
        hostName_ = entry.name;
    }
    hostIP_ = InetNtoa(ipAddress_);
    resolved_ = true;
}

int TICMP::Ping() {
    errorCode_ = 0;
    if (!resolved_)
        ResolveAddr();
    if (ipAddress_ == kInaddrNone) {
        errorCode_ = kIpBadDestination;
        Display("Invalid host address");
        return 0;
    }
    // The length field of the service is 16 bits wide.
    const int size = std::clamp(Size, 0, 0xFFFF);
    const std::string text = EchoPayload(size);
    std::vector<std::uint8_t> request(text.begin(), text.end());
    IcmpEchoReply reply{};

    if (OnEchoRequest)
        OnEchoRequest(*this);

    EchoRequest r;
    r.destination = ipAddress_;
    r.data = request;
    r.options.Ttl = static_cast<std::uint8_t>(TTL & 0xFF);
    r.options.Flags = static_cast<std::uint8_t>(Flags & 0xFF);
    r.timeoutMs = static_cast<std::uint32_t>(std::max(Timeout, 0));

    SysError error = 0;
    std::uint32_t result = service_.SendEcho(r, reply, error);
    errorCode_ = error;
    reply_ = reply;

    if (OnEchoReply)
        OnEchoReply(*this, static_cast<int>(result));
    return static_cast<int>(result);
}

std::string TICMP::GetErrorString() const {
    return IcmpErrorString(errorCode_);
}

} // namespace corvane
