// The in-memory store against the store contract.
#include "platform/sim/memory_store.h"
#include "unit/settings_store_contract.h"

using namespace corvane;
using namespace corvane::contract;

namespace {

class MemoryBackend : public Backend {
  public:
    SettingsStore& store() override { return store_; }
    SettingsStore& reopened() override { return store_; }
    void PutExpandString(const std::string& path, const std::string& name,
                         const std::string& text) override {
        store_.PutExpandString(path, name, text);
    }

  private:
    MemoryStore store_;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Memory, StoreContract,
                         ::testing::Values(BackendCase{
                             "Memory", [] { return std::make_unique<MemoryBackend>(); }}),
                         [](const auto& info) { return std::string(info.param.name); });
