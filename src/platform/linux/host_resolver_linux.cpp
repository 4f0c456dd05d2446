#include "platform/host_resolver.h"

#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace corvane {
namespace {

SysError CodeOf(int gaiError) {
    switch (gaiError) {
    case EAI_NONAME:
        return kHostNotFound;
    case EAI_AGAIN:
        return kTryAgain;
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
        return kNoData;
    case EAI_SYSTEM:
        return errno ? static_cast<SysError>(errno) : kNoRecovery;
    default:
        return kNoRecovery;
    }
}

class LinuxHostResolver : public HostResolver {
  public:
    SysError GetHostByName(const std::string& name, HostEntry& entry) override {
        entry = HostEntry{};
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM; // one answer per address
        hints.ai_flags = AI_CANONNAME;
        addrinfo* list = nullptr;
        int rc = getaddrinfo(name.c_str(), nullptr, &hints, &list);
        if (rc != 0)
            return CodeOf(rc);
        for (addrinfo* a = list; a; a = a->ai_next) {
            if (a->ai_canonname && entry.name.empty())
                entry.name = a->ai_canonname;
            if (a->ai_family == AF_INET && a->ai_addr)
                entry.addresses.push_back(
                    reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr);
        }
        freeaddrinfo(list);
        if (entry.name.empty())
            entry.name = name;
        return entry.addresses.empty() ? kNoData : 0;
    }
};

} // namespace

std::unique_ptr<HostResolver> CreateSystemHostResolver() {
    return std::make_unique<LinuxHostResolver>();
}

} // namespace corvane
