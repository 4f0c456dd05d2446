#pragma once
#include "core/app/ascii.h"
#include "platform/settings_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The key/value tree behind the stores that keep the registry's shape
// themselves (the text file and the in-memory store). Header-only, because the
// two live in different libraries.

namespace corvane::store_tree {

// The registry's type numbers, so that foreign kinds survive a round trip.
enum ValueType : std::uint32_t {
    kNone = 0,
    kString = 1,
    kExpandString = 2,
    kBinary = 3,
    kDword = 4,
};

struct StoredValue {
    std::string name;
    std::uint32_t type = kString;
    std::string data; // text without terminator for strings, little-endian bytes otherwise

    static StoredValue Dword(std::string_view name, std::uint32_t value) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
        return {std::string(name), kDword, bytes};
    }
    static StoredValue String(std::string_view name, std::string_view text,
                              std::uint32_t type = kString) {
        return {std::string(name), type, std::string(text)};
    }
};

struct StoredKey {
    std::string path; // full path, root name first
    std::vector<StoredValue> values;
};

inline const char* RootName(StoreRoot root) {
    switch (root) {
    case StoreRoot::LocalMachine:
        break;
    }
    return "HKEY_LOCAL_MACHINE";
}

// Root name plus `path`, with outer backslashes dropped; nothing when the path
// has an empty part or a character no key name may hold.
inline std::optional<std::string> FullKeyPath(StoreRoot root, std::string_view path) {
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    std::string full = RootName(root);
    if (path.empty())
        return full;
    if (path.find("\\\\") != std::string_view::npos ||
        path.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return std::nullopt;
    full += '\\';
    full += path;
    return full;
}

inline bool IsRootPath(std::string_view full) {
    return full.find('\\') == std::string_view::npos;
}

// Whether `path` lies strictly below `parent`; `rest` gets the part after it.
inline bool IsBelow(std::string_view path, std::string_view parent, std::string_view* rest) {
    if (path.size() <= parent.size() + 1 || path[parent.size()] != '\\' ||
        !EqualNoCase(path.substr(0, parent.size()), parent))
        return false;
    if (rest)
        *rest = path.substr(parent.size() + 1);
    return true;
}

class StoreTree {
  public:
    std::vector<StoredKey> keys; // in order of first appearance

    StoredKey* Find(std::string_view path) {
        for (auto& k : keys)
            if (EqualNoCase(k.path, path))
                return &k;
        return nullptr;
    }
    const StoredKey* Find(std::string_view path) const {
        return const_cast<StoreTree*>(this)->Find(path);
    }

    // A key exists when it is stored itself or some stored key lies below it;
    // the root always exists.
    bool Exists(std::string_view path) const {
        if (IsRootPath(path))
            return true;
        for (const auto& k : keys)
            if (EqualNoCase(k.path, path) || IsBelow(k.path, path, nullptr))
                return true;
        return false;
    }

    StoredKey& Obtain(std::string_view path) {
        if (StoredKey* k = Find(path))
            return *k;
        keys.push_back({std::string(path), {}});
        return keys.back();
    }

    std::vector<std::string> SubKeyNames(std::string_view path) const {
        std::vector<std::string> names;
        for (const auto& k : keys) {
            std::string_view rest;
            if (!IsBelow(k.path, path, &rest))
                continue;
            std::string_view name = rest.substr(0, rest.find('\\'));
            bool seen = false;
            for (const auto& n : names)
                seen = seen || EqualNoCase(n, name);
            if (!seen)
                names.emplace_back(name);
        }
        return names;
    }

    static const StoredValue* FindValue(const StoredKey* key, std::string_view name) {
        if (key)
            for (const auto& v : key->values)
                if (EqualNoCase(v.name, name))
                    return &v;
        return nullptr;
    }

    // Replaces a value of the same name in place, else appends. Returns whether
    // anything changed.
    static bool SetValue(StoredKey& key, StoredValue value) {
        for (auto& v : key.values)
            if (EqualNoCase(v.name, value.name)) {
                if (v.type == value.type && v.data == value.data)
                    return false;
                v.type = value.type;
                v.data = std::move(value.data);
                return true;
            }
        key.values.push_back(std::move(value));
        return true;
    }

    static StoreResult<std::uint32_t> ReadDword(const StoredKey* key, std::string_view name) {
        const StoredValue* v = FindValue(key, name);
        if (!v)
            return {0, ReadError(StoreStatus::NotFound, name)};
        if (v->type != kDword || v->data.size() != 4)
            return {0, ReadError(StoreStatus::WrongType, name)};
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(v->data[static_cast<size_t>(i)]);
        return {value, {}};
    }

    static StoreResult<std::string> ReadString(const StoredKey* key, std::string_view name) {
        const StoredValue* v = FindValue(key, name);
        if (!v)
            return {{}, ReadError(StoreStatus::NotFound, name)};
        if (v->type != kString && v->type != kExpandString)
            return {{}, ReadError(StoreStatus::WrongType, name)};
        return {v->data, {}};
    }
};

// A key of a store kept as a StoreTree. The store hands over the tree to read
// and takes the values to write; the reads, the value kinds and the error
// texts are the same for both.
class TreeKey : public StoreKey {
  public:
    TreeKey(std::string path, bool writable) : path_(std::move(path)), writable_(writable) {}

    StoreResult<std::uint32_t> ReadDword(std::string_view name) override {
        StoreTree scratch;
        const StoreTree* tree = nullptr;
        if (StoreError e = Tree(scratch, tree); !e.ok())
            return {0, Named(std::move(e), name)};
        return StoreTree::ReadDword(tree->Find(path_), name);
    }

    StoreResult<std::string> ReadString(std::string_view name) override {
        StoreTree scratch;
        const StoreTree* tree = nullptr;
        if (StoreError e = Tree(scratch, tree); !e.ok())
            return {{}, Named(std::move(e), name)};
        return StoreTree::ReadString(tree->Find(path_), name);
    }

    StoreError WriteDword(std::string_view name, std::uint32_t value) override {
        return Write(StoredValue::Dword(name, value));
    }

    StoreError WriteString(std::string_view name, std::string_view value) override {
        return Write(StoredValue::String(name, value));
    }

    StoreResult<std::vector<std::string>> SubKeyNames() override {
        StoreTree scratch;
        const StoreTree* tree = nullptr;
        if (StoreError e = Tree(scratch, tree); !e.ok())
            return {{}, e};
        return {tree->SubKeyNames(path_), {}};
    }

  protected:
    // The tree as it is now: the store's own, or `scratch` filled. Failed
    // once the key is closed.
    virtual StoreError Tree(StoreTree& scratch, const StoreTree*& tree) = 0;
    virtual StoreError Write(StoredValue value) = 0;

    std::string path_;
    bool writable_;

  private:
    static StoreError Named(StoreError e, std::string_view name) {
        e.text = ReadErrorText(e.status, name);
        return e;
    }
};

} // namespace corvane::store_tree
