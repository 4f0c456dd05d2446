#include "platform/host_resolver.h"

#include <winsock2.h>

#include <cstring>

namespace corvane {

namespace {

class Win32HostResolver : public HostResolver {
  public:
    SysError GetHostByName(const std::string& name, HostEntry& entry) override {
        entry = {};
        WSADATA data;
        if (int e = WSAStartup(0x0101, &data))
            return static_cast<SysError>(e);
        SysError result = kSuccess;
        const hostent* host = gethostbyname(name.c_str());
        if (!host) {
            result = static_cast<SysError>(WSAGetLastError());
        } else if (host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list[0]) {
            result = kNoData;
        } else {
            entry.name = host->h_name ? host->h_name : "";
            for (char** p = host->h_addr_list; *p; ++p) {
                std::uint32_t address;
                std::memcpy(&address, *p, sizeof address);
                entry.addresses.push_back(address);
            }
        }
        WSACleanup();
        return result;
    }
};

} // namespace

std::unique_ptr<HostResolver> CreateSystemHostResolver() {
    return std::make_unique<Win32HostResolver>();
}

} // namespace corvane
