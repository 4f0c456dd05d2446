#pragma once
// What every settings store back end must do alike. Each back end instantiates
// the StoreContract suite with a Backend of its own.
#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace corvane::contract {

inline constexpr StoreRoot kLM = StoreRoot::LocalMachine;

// One back end under test, with a way to plant an expandable string, which
// the interface itself cannot write.
class Backend {
  public:
    virtual ~Backend() = default;
    virtual SettingsStore& store() = 0;
    // A store object over the same data, as another program would see it.
    virtual SettingsStore& reopened() = 0;
    virtual void PutExpandString(const std::string& path, const std::string& name,
                                 const std::string& text) = 0;
    // Whether sub-keys come back sorted by name (as the registry keeps them)
    // rather than in order of creation.
    virtual bool SortsSubKeys() const { return false; }
};

struct BackendCase {
    const char* name;
    std::function<std::unique_ptr<Backend>()> make;
};

class StoreContract : public ::testing::TestWithParam<BackendCase> {
  protected:
    void SetUp() override { backend_ = GetParam().make(); }

    std::unique_ptr<StoreKey> Open(std::string_view path,
                                   KeyAccess access = KeyAccess::CreateAllAccess) {
        auto r = backend_->store().OpenKey(kLM, path, access);
        EXPECT_TRUE(r.ok()) << path;
        return std::move(r.value);
    }

    std::unique_ptr<Backend> backend_;
};

} // namespace corvane::contract
