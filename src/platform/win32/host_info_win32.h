#pragma once
#include "platform/host_info.h"

namespace corvane {

// Host name and addresses through Windows Sockets 1.1, which is started and
// cleaned up around every call.
class Win32HostInfo : public HostInfo {
  public:
    SysError HostName(std::string& name) override;
    SysError HostAddresses(std::vector<std::string>& addresses) override;
};

} // namespace corvane
