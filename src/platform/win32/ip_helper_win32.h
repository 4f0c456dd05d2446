#pragma once
#include "platform/ip_helper.h"

#include <memory>
#include <string>

namespace corvane {

// The IP helper of Windows, bound at run time to the eight entry points of
// `library`. Tests pass a stand-in library of their own.
class Win32IpHelper : public IpHelper {
  public:
    explicit Win32IpHelper(const std::string& library = "iphlpapi.dll");
    ~Win32IpHelper() override;
    Win32IpHelper(const Win32IpHelper&) = delete;
    Win32IpHelper& operator=(const Win32IpHelper&) = delete;

    std::uint32_t BindingReport() const override;
    SysError GetAdaptersInfo(std::vector<AdapterRecord>& adapters) override;
    SysError GetPerAdapterInfo(std::uint32_t index, PerAdapterInfo& info) override;
    SysError GetInterfaceInfo(std::vector<AdapterIndexMap>& map) override;
    SysError IpReleaseAddress(const AdapterIndexMap& entry) override;
    SysError IpRenewAddress(const AdapterIndexMap& entry) override;
    SysError GetIfTable(std::vector<IfRow>& rows, bool sorted) override;
    SysError GetIfEntry(IfRow& row) override;
    SysError GetIpForwardTable(std::vector<ForwardRow>& rows, bool sorted) override;
    std::optional<std::string> ErrorText(SysError code) const override;

  private:
    struct Binding;
    std::unique_ptr<Binding> b_;
};

} // namespace corvane
