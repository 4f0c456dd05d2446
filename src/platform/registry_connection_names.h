#pragma once
#include "platform/connection_names.h"
#include "platform/settings_store.h"

namespace corvane {

// Connection names as Windows keeps them: under the network control key, one
// key per network class, below it one key per adapter with "Connection\Name".
class RegistryConnectionNames : public ConnectionNames {
  public:
    static constexpr const char* kNetworkKey = "SYSTEM\\CurrentControlSet\\Control\\Network";

    explicit RegistryConnectionNames(SettingsStore& store) : store_(store) {}
    std::string ConnectionNameOf(const std::string& adapterName) override;

  private:
    SettingsStore& store_;
};

} // namespace corvane
