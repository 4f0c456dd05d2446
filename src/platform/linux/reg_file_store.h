#pragma once
#include "platform/settings_store.h"
#include "platform/store_tree.h"

#include <string>
#include <string_view>

namespace corvane {

// The store as one text file in the REGEDIT4 format. Every change locks the
// file against other programs, reads it afresh, applies the change and
// replaces the file atomically, so concurrent writers never lose each other's
// values. Lines it cannot read are skipped.
class RegFileStore : public SettingsStore {
  public:
    // The machine-wide file fixed at build time.
    RegFileStore();
    explicit RegFileStore(std::string path);

    static std::string DefaultPath();
    const std::string& path() const { return path_; }

    StoreResult<std::unique_ptr<StoreKey>> OpenKey(StoreRoot root, std::string_view path,
                                                   KeyAccess access) override;

  private:
    class Key;
    friend class Key;

    // Reads the whole file; a missing file is an empty store.
    StoreError Load(store_tree::StoreTree& tree) const;
    // Locks, reloads, lets `change` edit the tree, writes when it changed.
    template <class Change> StoreError Modify(Change change) const;

    std::string path_;
};

// The file format on its own, for the store and for tests.
store_tree::StoreTree ParseRegFile(std::string_view text);
std::string FormatRegFile(const store_tree::StoreTree& tree);

} // namespace corvane
