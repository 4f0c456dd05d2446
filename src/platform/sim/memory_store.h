#pragma once
#include "platform/settings_store.h"
#include "platform/store_tree.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The store kept in memory, for tests. Besides the store's own operations it
// can refuse keys, fail chosen writes, and hold values of any kind, so that
// tests can reach every failure path. Keys opened from it must not outlive it.
class MemoryStore : public SettingsStore {
  public:
    using StoredValue = store_tree::StoredValue;

    StoreResult<std::unique_ptr<StoreKey>> OpenKey(StoreRoot root, std::string_view path,
                                                   KeyAccess access) override;

    // Opening this key (or one below it) fails with AccessDenied.
    void RefuseKey(std::string_view path, StoreRoot root = StoreRoot::LocalMachine);
    // Writing a value of this name, in any key, fails.
    void FailWrite(std::string_view valueName);
    void ClearFailures();

    // Sets a value directly, creating the key; any kind, bypassing failures.
    void Put(std::string_view path, StoredValue value, StoreRoot root = StoreRoot::LocalMachine);
    void PutDword(std::string_view path, std::string_view name, std::uint32_t value);
    void PutString(std::string_view path, std::string_view name, std::string_view text);
    void PutExpandString(std::string_view path, std::string_view name, std::string_view text);
    void Remove(std::string_view path, std::string_view name,
                StoreRoot root = StoreRoot::LocalMachine);

    std::optional<StoredValue> Get(std::string_view path, std::string_view name,
                                   StoreRoot root = StoreRoot::LocalMachine) const;
    bool KeyExists(std::string_view path, StoreRoot root = StoreRoot::LocalMachine) const;

    // Counters for tests that check what an operation touched.
    int OpenCount() const { return opens_; }     // successful opens so far
    int OpenKeysNow() const { return openNow_; } // keys opened and not yet closed
    int WriteCount() const { return writes_; }   // successful writes so far

  private:
    class Key;
    friend class Key;

    bool Refused(std::string_view full) const;

    store_tree::StoreTree tree_;
    std::vector<std::string> refused_;
    std::set<std::string> failingWrites_; // lower-case names
    int opens_ = 0;
    int openNow_ = 0;
    int writes_ = 0;
};

} // namespace corvane
