#include "core/setup/dhcp_renew.h"

#include <exception>
#include <string>
#include <vector>

#include "core/setup/adapter_info.h"

namespace corvane {
namespace {

// An operation without its entry point fails as if the call had raised.
struct Unbound : std::exception {};

SysError Checked(SysError code) {
    if (code == kNotBound)
        throw Unbound();
    return code;
}

} // namespace

void RenewAdapterAddress(IpHelper& helper, std::uint32_t index, const RenewCallbacks& callbacks) {
    auto pump = [&] {
        if (callbacks.processMessages)
            callbacks.processMessages();
    };
    bool error = false;
    std::string message;
    try {
        std::vector<AdapterIndexMap> map;
        if (SysError e = Checked(helper.GetInterfaceInfo(map))) {
            if (auto text = ShowErrorText(helper, e))
                callbacks.message({*text, "Error", MessageIcon::Error});
        } else {
            for (const AdapterIndexMap& entry : map) {
                if (entry.Index != index)
                    continue;
                pump();
                if (Checked(helper.IpReleaseAddress(entry)) != kSuccess) {
                    error = true;
                    message = kCouldntRelease;
                } else {
                    pump();
                    if (Checked(helper.IpRenewAddress(entry)) != kSuccess) {
                        error = true;
                        message = kCouldntRenew;
                    }
                }
                pump();
            }
        }
    } catch (...) {
        error = true;
        message = kGeneralDhcpRenewError;
    }
    if (error)
        callbacks.message({message, kDhcpErrorTitle, MessageIcon::Error});
}

} // namespace corvane
