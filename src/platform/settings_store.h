#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A hierarchical key/value store with the registry's shape: keys under a root,
// named values of a few kinds. The registry implements it on Windows, a text
// file elsewhere. Failures come back as values; nothing throws across it.

namespace corvane {

enum class StoreRoot {
    LocalMachine,
};

enum class KeyAccess {
    CreateAllAccess,   // open, or create when absent; read and write
    ExistingAllAccess, // open only when present; read and write
    ExistingReadOnly,  // open only when present; writes are refused
};

enum class StoreStatus {
    Ok,
    NotFound,     // the key or value is absent
    WrongType,    // the value is present with another kind
    AccessDenied, // the caller may not open or change it
    Failed,       // anything else: I/O error, unusable name, closed key
};

struct StoreError {
    StoreStatus status = StoreStatus::Ok;
    int systemCode = 0; // errno or Win32 error code behind the failure, 0 when none
    std::string text;   // the registry layer's message for value operations

    bool ok() const { return status == StoreStatus::Ok; }
};

template <class T> struct StoreResult {
    T value{};
    StoreError error;

    bool ok() const { return error.ok(); }
};

// The registry layer's messages, with the value name in quotes.
inline std::string ReadErrorText(StoreStatus status, std::string_view name) {
    std::string quoted = "'" + std::string(name) + "'";
    if (status == StoreStatus::WrongType)
        return "Invalid data type for " + quoted;
    return "Failed to get data for " + quoted;
}

inline std::string WriteErrorText(std::string_view name) {
    return "Failed to set data for '" + std::string(name) + "'";
}

inline StoreError ReadError(StoreStatus status, std::string_view name, int systemCode = 0) {
    return {status, systemCode, ReadErrorText(status, name)};
}

inline StoreError WriteError(StoreStatus status, std::string_view name, int systemCode = 0) {
    return {status, systemCode, WriteErrorText(name)};
}

// An open key. Destroying it closes it.
class StoreKey {
  public:
    virtual ~StoreKey() = default;

    // A DWORD value. NotFound when absent, WrongType when it is of another kind.
    virtual StoreResult<std::uint32_t> ReadDword(std::string_view name) = 0;
    // A string value; expandable strings count as strings. NotFound when absent,
    // WrongType when it is of another kind.
    virtual StoreResult<std::string> ReadString(std::string_view name) = 0;
    virtual StoreError WriteDword(std::string_view name, std::uint32_t value) = 0;
    virtual StoreError WriteString(std::string_view name, std::string_view value) = 0;
    // Names of the direct sub-keys, in the store's order.
    virtual StoreResult<std::vector<std::string>> SubKeyNames() = 0;
    // Later calls on a closed key fail with StoreStatus::Failed.
    virtual void Close() = 0;
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // `path` is relative to the root, its parts separated by backslashes, and
    // compared without regard to letter case.
    virtual StoreResult<std::unique_ptr<StoreKey>> OpenKey(StoreRoot root, std::string_view path,
                                                           KeyAccess access) = 0;
};

} // namespace corvane
