#include "core/setup/apipa.h"

namespace corvane {

std::string TcpipInterfaceKey(std::string_view adapterName) {
    // An empty name would open the parent key, a backslash a key below another
    // adapter's.
    if (adapterName.empty() || adapterName.find('\\') != std::string_view::npos)
        return {};
    return std::string(kTcpipInterfacesKey) + std::string(adapterName);
}

bool ReadApipaSetting(SettingsStore& store, std::string_view adapterName) {
    const std::string path = TcpipInterfaceKey(adapterName);
    if (path.empty())
        return true;
    auto key = store.OpenKey(StoreRoot::LocalMachine, path, KeyAccess::ExistingAllAccess);
    if (!key.ok() || !key.value)
        return true;
    auto value = key.value->ReadDword(kApipaValueName);
    key.value->Close();
    return !value.ok() || value.value != 0;
}

void WriteApipaSetting(SettingsStore& store, std::string_view adapterName, bool enabled) {
    const std::string path = TcpipInterfaceKey(adapterName);
    if (path.empty())
        return;
    auto key = store.OpenKey(StoreRoot::LocalMachine, path, KeyAccess::ExistingAllAccess);
    if (!key.ok() || !key.value)
        return;
    key.value->WriteDword(kApipaValueName, enabled ? 1 : 0);
    key.value->Close();
}

} // namespace corvane
