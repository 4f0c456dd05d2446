#pragma once
#include <memory>

#include "platform/connection_names.h"
#include "platform/host_info.h"
#include "platform/ip_helper.h"
#include "platform/settings_store.h"

namespace corvane {

class IcmpEcho;
class CaptureSource;
class NetShellRunner;
class HostResolver;

// Access to every system service. The members are borrowed pointers owned by
// the concrete platform; a null member means the service is not available.
// Add members here for new services; don't rename existing ones.
struct Platform {
    virtual ~Platform() = default;

    IpHelper* ipHelper = nullptr;
    ConnectionNames* connectionNames = nullptr;
    HostInfo* hostInfo = nullptr;
    SettingsStore* settings = nullptr;
    IcmpEcho* icmp = nullptr;
    CaptureSource* capture = nullptr;
    NetShellRunner* netsh = nullptr;
    HostResolver* resolver = nullptr;
};

// The back end for the system the program runs on.
std::unique_ptr<Platform> CreateSystemPlatform();

} // namespace corvane
