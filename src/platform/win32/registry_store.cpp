#include "platform/win32/registry_store.h"

#include "platform/store_tree.h"

#include <windows.h>

#include <vector>

namespace corvane {

namespace {

StoreStatus StatusOf(LONG code) {
    switch (code) {
    case ERROR_SUCCESS:
        return StoreStatus::Ok;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return StoreStatus::NotFound;
    case ERROR_ACCESS_DENIED:
        return StoreStatus::AccessDenied;
    default:
        return StoreStatus::Failed;
    }
}

StoreError KeyError(LONG code) {
    return {StatusOf(code), static_cast<int>(code), {}};
}

class RegistryKey : public StoreKey {
  public:
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() override { Close(); }

    StoreResult<std::uint32_t> ReadDword(std::string_view name) override {
        if (!key_)
            return {0, ReadError(StoreStatus::Failed, name)};
        const std::string n(name);
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        LONG rc = RegQueryValueExA(key_, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                   &size);
        if (rc == ERROR_MORE_DATA)
            return {0, ReadError(StoreStatus::WrongType, name, rc)};
        if (rc != ERROR_SUCCESS)
            return {0, ReadError(StatusOf(rc), name, rc)};
        if (type != REG_DWORD || size != sizeof value)
            return {0, ReadError(StoreStatus::WrongType, name)};
        return {value, {}};
    }

    StoreResult<std::string> ReadString(std::string_view name) override {
        if (!key_)
            return {{}, ReadError(StoreStatus::Failed, name)};
        const std::string n(name);
        std::vector<char> data(256);
        for (;;) {
            DWORD type = 0;
            DWORD size = static_cast<DWORD>(data.size());
            LONG rc = RegQueryValueExA(key_, n.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &size);
            if (rc == ERROR_MORE_DATA) {
                // The value may grow between the two calls; ask again.
                data.resize(std::max<std::size_t>(size, data.size() * 2));
                continue;
            }
            if (rc != ERROR_SUCCESS)
                return {{}, ReadError(StatusOf(rc), name, rc)};
            if (type != REG_SZ && type != REG_EXPAND_SZ)
                return {{}, ReadError(StoreStatus::WrongType, name)};
            std::string text(data.data(), size);
            // One terminator is the registry's, anything before it is data.
            if (!text.empty() && text.back() == '\0')
                text.pop_back();
            return {std::move(text), {}};
        }
    }

    StoreError WriteDword(std::string_view name, std::uint32_t value) override {
        const DWORD v = value;
        return Write(name, REG_DWORD, &v, sizeof v);
    }

    StoreError WriteString(std::string_view name, std::string_view value) override {
        return WriteText(name, REG_SZ, value);
    }

    StoreError WriteText(std::string_view name, DWORD type, std::string_view value) {
        std::string data(value);
        data += '\0';
        return Write(name, type, data.data(), data.size());
    }

    StoreResult<std::vector<std::string>> SubKeyNames() override {
        if (!key_)
            return {{}, {StoreStatus::Failed, 0, {}}};
        std::vector<std::string> names;
        std::vector<char> buf(MAX_PATH + 1);
        for (DWORD i = 0;; ++i) {
            DWORD len = static_cast<DWORD>(buf.size());
            LONG rc = RegEnumKeyExA(key_, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS)
                break;
            if (rc == ERROR_MORE_DATA) {
                buf.resize(buf.size() * 2);
                --i;
                continue;
            }
            if (rc != ERROR_SUCCESS)
                return {{}, KeyError(rc)};
            names.emplace_back(buf.data(), len);
        }
        return {std::move(names), {}};
    }

    void Close() override {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

  private:
    StoreError Write(std::string_view name, DWORD type, const void* data, std::size_t size) {
        if (!key_)
            return WriteError(StoreStatus::Failed, name);
        const std::string n(name);
        LONG rc = RegSetValueExA(key_, n.c_str(), 0, type, static_cast<const BYTE*>(data),
                                 static_cast<DWORD>(size));
        if (rc != ERROR_SUCCESS)
            return WriteError(StatusOf(rc), name, rc);
        return {};
    }

    HKEY key_;
};

} // namespace

RegistryStore::RegistryStore(std::string base) : base_(std::move(base)) {}

bool RegistryStore::SystemPath(std::string_view path, std::string& out) const {
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    std::string joined = base_;
    if (!joined.empty() && !path.empty())
        joined += '\\';
    joined += path;
    // The shared rules: outer backslashes dropped, no empty parts.
    auto full = store_tree::FullKeyPath(StoreRoot::LocalMachine, joined);
    if (!full)
        return false;
    const std::string_view root = store_tree::RootName(StoreRoot::LocalMachine);
    out = full->size() > root.size() ? full->substr(root.size() + 1) : std::string();
    return true;
}

StoreResult<std::unique_ptr<StoreKey>> RegistryStore::OpenKey(StoreRoot, std::string_view path,
                                                              KeyAccess access) {
    std::string sub;
    if (!SystemPath(path, sub))
        return {nullptr, {StoreStatus::Failed, ERROR_INVALID_PARAMETER, {}}};
    HKEY key = nullptr;
    LONG rc;
    switch (access) {
    case KeyAccess::CreateAllAccess:
        rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr);
        break;
    case KeyAccess::ExistingAllAccess:
        rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, sub.c_str(), 0, KEY_ALL_ACCESS, &key);
        break;
    case KeyAccess::ExistingReadOnly:
    default:
        rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, sub.c_str(), 0, KEY_READ, &key);
        break;
    }
    if (rc != ERROR_SUCCESS)
        return {nullptr, KeyError(rc)};
    return {std::make_unique<RegistryKey>(key), {}};
}

StoreError RegistryStore::PutExpandString(std::string_view path, std::string_view name,
                                          std::string_view text) {
    auto key = OpenKey(StoreRoot::LocalMachine, path, KeyAccess::CreateAllAccess);
    if (!key.ok())
        return key.error;
    return static_cast<RegistryKey&>(*key.value).WriteText(name, REG_EXPAND_SZ, text);
}

StoreError RegistryStore::DeleteTree(std::string_view path) {
    std::string sub;
    if (!SystemPath(path, sub) || sub.empty())
        return {StoreStatus::Failed, ERROR_INVALID_PARAMETER, {}};
    LONG rc = RegDeleteTreeA(HKEY_LOCAL_MACHINE, sub.c_str());
    if (rc != ERROR_SUCCESS)
        return KeyError(rc);
    return {};
}

} // namespace corvane
