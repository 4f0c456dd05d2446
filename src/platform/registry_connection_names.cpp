#include "platform/registry_connection_names.h"

#include "core/app/ascii.h"

namespace corvane {

std::string RegistryConnectionNames::ConnectionNameOf(const std::string& adapterName) {
    const std::string base = kNetworkKey;
    std::vector<std::string> classes;
    {
        auto key = store_.OpenKey(StoreRoot::LocalMachine, base, KeyAccess::ExistingReadOnly);
        if (!key.ok())
            return {};
        classes = key.value->SubKeyNames().value;
    }
    for (const std::string& cls : classes) {
        const std::string path = base + "\\" + cls;
        auto key = store_.OpenKey(StoreRoot::LocalMachine, path, KeyAccess::ExistingReadOnly);
        if (!key.ok())
            continue;
        const auto adapters = key.value->SubKeyNames().value;
        key.value->Close();
        for (const std::string& a : adapters) {
            if (!EqualNoCase(a, adapterName))
                continue;
            auto connection =
                store_.OpenKey(StoreRoot::LocalMachine, path + "\\" + adapterName + "\\Connection",
                               KeyAccess::ExistingReadOnly);
            return connection.ok() ? connection.value->ReadString("Name").value : std::string();
        }
    }
    return {};
}

} // namespace corvane
