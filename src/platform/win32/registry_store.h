#pragma once
#include "platform/settings_store.h"

#include <string>
#include <string_view>

namespace corvane {

// The store over the Windows registry. Keys are opened or created with all
// access rights (read-only when asked) and closed with their StoreKey.
class RegistryStore : public SettingsStore {
  public:
    // `base` goes in front of every path below the root, so that tests can
    // work inside a key of their own; empty means the root itself.
    explicit RegistryStore(std::string base = {});

    StoreResult<std::unique_ptr<StoreKey>> OpenKey(StoreRoot root, std::string_view path,
                                                   KeyAccess access) override;

    // Writes an expandable string (REG_EXPAND_SZ), which the interface itself
    // never does; tests plant such values with it. Creates the key.
    StoreError PutExpandString(std::string_view path, std::string_view name, std::string_view text);

    // Removes the key with everything below it; NotFound when it is absent.
    StoreError DeleteTree(std::string_view path);

  private:
    // The path below HKEY_LOCAL_MACHINE, base included; empty when unusable.
    bool SystemPath(std::string_view path, std::string& out) const;

    std::string base_;
};

} // namespace corvane
