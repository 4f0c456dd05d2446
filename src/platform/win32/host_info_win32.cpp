#include "platform/win32/host_info_win32.h"

#include <winsock2.h>

#include <cstring>

namespace corvane {

namespace {

class Sockets {
  public:
    Sockets() {
        WSADATA data;
        error_ = static_cast<SysError>(WSAStartup(0x0101, &data));
    }
    ~Sockets() {
        if (error_ == 0)
            WSACleanup();
    }
    Sockets(const Sockets&) = delete;
    Sockets& operator=(const Sockets&) = delete;
    SysError error() const { return error_; }

  private:
    SysError error_;
};

SysError LastError() {
    return static_cast<SysError>(WSAGetLastError());
}

// The host name as gethostname gives it into the 80 bytes the program allows.
SysError ReadHostName(std::string& name) {
    char buf[80] = {};
    if (gethostname(buf, sizeof buf) != 0)
        return LastError();
    name.assign(buf, strnlen(buf, sizeof buf));
    return kSuccess;
}

} // namespace

SysError Win32HostInfo::HostName(std::string& name) {
    name.clear();
    Sockets sockets;
    if (sockets.error())
        return sockets.error();
    return ReadHostName(name);
}

SysError Win32HostInfo::HostAddresses(std::vector<std::string>& addresses) {
    addresses.clear();
    Sockets sockets;
    if (sockets.error())
        return sockets.error();
    std::string name;
    if (SysError e = ReadHostName(name))
        return e;
    const hostent* host = gethostbyname(name.c_str());
    if (!host)
        return LastError();
    if (host->h_addrtype != AF_INET || host->h_length != 4)
        return static_cast<SysError>(WSANO_DATA);
    for (char** p = host->h_addr_list; p && *p; ++p) {
        in_addr a;
        std::memcpy(&a, *p, sizeof a);
        addresses.emplace_back(inet_ntoa(a));
    }
    return kSuccess;
}

} // namespace corvane
