#include "platform/sim/memory_store.h"

namespace corvane {

using store_tree::FullKeyPath;
using store_tree::StoredValue;
using store_tree::StoreTree;

class MemoryStore::Key : public store_tree::TreeKey {
  public:
    Key(MemoryStore& store, std::string path, bool writable)
        : TreeKey(std::move(path), writable), store_(&store) {
        ++store_->openNow_;
    }
    ~Key() override { Close(); }

    void Close() override {
        if (store_)
            --store_->openNow_;
        store_ = nullptr;
    }

  private:
    StoreError Tree(StoreTree&, const StoreTree*& tree) override {
        if (!store_)
            return {StoreStatus::Failed, 0, {}};
        tree = &store_->tree_;
        return {};
    }

    StoreError Write(StoredValue value) override {
        if (!store_)
            return WriteError(StoreStatus::Failed, value.name);
        if (!writable_)
            return WriteError(StoreStatus::AccessDenied, value.name);
        if (store_->failingWrites_.count(LowerAscii(value.name)))
            return WriteError(StoreStatus::Failed, value.name);
        StoreTree::SetValue(store_->tree_.Obtain(path_), std::move(value));
        ++store_->writes_;
        return {};
    }

    MemoryStore* store_;
};

StoreResult<std::unique_ptr<StoreKey>> MemoryStore::OpenKey(StoreRoot root, std::string_view path,
                                                            KeyAccess access) {
    std::optional<std::string> full = FullKeyPath(root, path);
    if (!full)
        return {nullptr, {StoreStatus::Failed, 0, {}}};
    if (Refused(*full))
        return {nullptr, {StoreStatus::AccessDenied, 0, {}}};
    if (!tree_.Exists(*full)) {
        if (access != KeyAccess::CreateAllAccess)
            return {nullptr, {StoreStatus::NotFound, 0, {}}};
        tree_.Obtain(*full);
    }
    ++opens_;
    return {std::make_unique<Key>(*this, *full, access != KeyAccess::ExistingReadOnly), {}};
}

bool MemoryStore::Refused(std::string_view full) const {
    for (const auto& r : refused_)
        if (EqualNoCase(full, r) || store_tree::IsBelow(full, r, nullptr))
            return true;
    return false;
}

void MemoryStore::RefuseKey(std::string_view path, StoreRoot root) {
    if (auto full = FullKeyPath(root, path))
        refused_.push_back(*full);
}

void MemoryStore::FailWrite(std::string_view valueName) {
    failingWrites_.insert(LowerAscii(valueName));
}

void MemoryStore::ClearFailures() {
    refused_.clear();
    failingWrites_.clear();
}

void MemoryStore::Put(std::string_view path, StoredValue value, StoreRoot root) {
    if (auto full = FullKeyPath(root, path))
        StoreTree::SetValue(tree_.Obtain(*full), std::move(value));
}

void MemoryStore::PutDword(std::string_view path, std::string_view name, std::uint32_t value) {
    Put(path, StoredValue::Dword(name, value));
}

void MemoryStore::PutString(std::string_view path, std::string_view name, std::string_view text) {
    Put(path, StoredValue::String(name, text));
}

void MemoryStore::PutExpandString(std::string_view path, std::string_view name,
                                  std::string_view text) {
    Put(path, StoredValue::String(name, text, store_tree::kExpandString));
}

void MemoryStore::Remove(std::string_view path, std::string_view name, StoreRoot root) {
    auto full = FullKeyPath(root, path);
    store_tree::StoredKey* key = full ? tree_.Find(*full) : nullptr;
    if (!key)
        return;
    std::erase_if(key->values, [&](const StoredValue& v) { return EqualNoCase(v.name, name); });
}

std::optional<store_tree::StoredValue>
MemoryStore::Get(std::string_view path, std::string_view name, StoreRoot root) const {
    auto full = FullKeyPath(root, path);
    const StoredValue* v = full ? StoreTree::FindValue(tree_.Find(*full), name) : nullptr;
    if (!v)
        return std::nullopt;
    return *v;
}

bool MemoryStore::KeyExists(std::string_view path, StoreRoot root) const {
    auto full = FullKeyPath(root, path);
    return full && tree_.Exists(*full);
}

} // namespace corvane
