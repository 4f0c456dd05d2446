#include "platform/linux/reg_file_store.h"

#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

#ifndef CORVANE_REGISTRY_PATH
#define CORVANE_REGISTRY_PATH "/var/lib/corvane/registry.reg"
#endif

namespace corvane {

using store_tree::EqualNoCase;
using store_tree::StoredKey;
using store_tree::StoredValue;
using store_tree::StoreTree;

namespace {

constexpr std::string_view kHeader = "REGEDIT4";

StoreStatus StatusOfErrno(int err) {
    return (err == EACCES || err == EPERM || err == EROFS) ? StoreStatus::AccessDenied
                                                           : StoreStatus::Failed;
}

StoreError KeyError(int err) {
    return {StatusOfErrno(err), err, {}};
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualNoCase(s.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = store_tree::LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// 1 to `maxDigits` hex digits and nothing else.
std::optional<std::uint32_t> ParseHex(std::string_view s, size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : s) {
        int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return value;
}

// A quoted text starting at s[0] == '"'. Only \\ and \" are escapes; any other
// backslash stands for itself. `used` gets the length including both quotes.
std::optional<std::string> ParseQuoted(std::string_view s, size_t* used) {
    std::string out;
    for (size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            *used = i + 1;
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"'))
            c = s[++i];
        out += c;
    }
    return std::nullopt;
}

std::optional<std::string> ParseHexBytes(std::string_view s) {
    std::string bytes;
    while (!s.empty()) {
        size_t comma = s.find(',');
        std::string_view item = Trim(s.substr(0, comma));
        auto byte = ParseHex(item, 2);
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
        if (comma == std::string_view::npos)
            break;
        s = Trim(s.substr(comma + 1));
    }
    return bytes;
}

std::optional<StoredValue> ParseData(std::string name, std::string_view data) {
    if (!data.empty() && data.front() == '"') {
        size_t used = 0;
        auto text = ParseQuoted(data, &used);
        if (!text || used != data.size())
            return std::nullopt;
        return StoredValue{std::move(name), store_tree::kString, std::move(*text)};
    }
    if (StartsWithNoCase(data, "dword:")) {
        auto value = ParseHex(data.substr(6), 8);
        if (!value)
            return std::nullopt;
        return StoredValue::Dword(name, *value);
    }
    if (StartsWithNoCase(data, "hex")) {
        data.remove_prefix(3);
        std::uint32_t type = store_tree::kBinary;
        if (!data.empty() && data.front() == '(') {
            size_t close = data.find(')');
            if (close == std::string_view::npos)
                return std::nullopt;
            auto number = ParseHex(data.substr(1, close - 1), 8);
            if (!number)
                return std::nullopt;
            type = *number;
            data.remove_prefix(close + 1);
        }
        if (data.empty() || data.front() != ':')
            return std::nullopt;
        std::string_view list = Trim(data.substr(1));
        if (!list.empty() && list.back() == ',')
            list.remove_suffix(1);
        auto bytes = ParseHexBytes(list);
        if (!bytes)
            return std::nullopt;
        if ((type == store_tree::kString || type == store_tree::kExpandString) && !bytes->empty() &&
            bytes->back() == '\0')
            bytes->pop_back();
        return StoredValue{std::move(name), type, std::move(*bytes)};
    }
    return std::nullopt;
}

// "[HKEY_LOCAL_MACHINE\...]" to the key's full path; nothing for deletions,
// unknown roots and malformed paths.
std::optional<std::string> ParseKeyLine(std::string_view line) {
    if (line.size() < 2 || line.back() != ']')
        return std::nullopt;
    std::string_view inner = line.substr(1, line.size() - 2);
    std::string_view root = inner.substr(0, inner.find('\\'));
    if (!EqualNoCase(root, store_tree::RootName(StoreRoot::LocalMachine)))
        return std::nullopt;
    inner.remove_prefix(root.size());
    return store_tree::FullKeyPath(StoreRoot::LocalMachine, inner);
}

std::string Escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

std::string HexList(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", static_cast<unsigned char>(bytes[i]));
        out += buf;
    }
    return out;
}

bool FitsQuoted(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string FormatData(const StoredValue& v) {
    char buf[32];
    if (v.type == store_tree::kString && FitsQuoted(v.data))
        return "\"" + Escape(v.data) + "\"";
    if (v.type == store_tree::kDword && v.data.size() == 4) {
        unsigned value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(v.data[static_cast<size_t>(i)]);
        std::snprintf(buf, sizeof buf, "dword:%08x", value);
        return buf;
    }
    std::string bytes = v.data;
    if (v.type == store_tree::kString || v.type == store_tree::kExpandString)
        bytes += '\0';
    if (v.type == store_tree::kBinary)
        return "hex:" + HexList(bytes);
    std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
    return buf + HexList(bytes);
}

std::string DirectoryOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Holds an exclusive lock on the lock file beside the store while it lives.
class FileLock {
  public:
    explicit FileLock(const std::string& storePath) {
        fd_ = open((storePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        while (flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                error_ = errno;
                break;
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            close(fd_); // releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    int error() const { return error_; }

  private:
    int fd_ = -1;
    int error_ = 0;
};

} // namespace

StoreTree ParseRegFile(std::string_view text) {
    StoreTree tree;
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }

    // Values belong to the last readable key line; after an unreadable one
    // they are dropped rather than filed under the wrong key.
    constexpr size_t kNoKey = static_cast<size_t>(-1);
    size_t current = kNoKey;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = Trim(lines[i]);
        if (line.empty())
            continue;
        if (line.front() == '[') {
            current = kNoKey;
            if (auto path = ParseKeyLine(line)) {
                StoredKey& key = tree.Obtain(*path);
                current = static_cast<size_t>(&key - tree.keys.data());
            }
            continue;
        }
        if (line.front() != '"' && line.front() != '@')
            continue; // the format line, comments, damage

        std::string name;
        size_t used = 1;
        if (line.front() == '"') {
            auto quoted = ParseQuoted(line, &used);
            if (!quoted)
                continue;
            name = std::move(*quoted);
        }
        std::string_view rest = Trim(line.substr(used));
        if (rest.empty() || rest.front() != '=')
            continue;
        rest = Trim(rest.substr(1));

        // Hex data may run on over lines ending in a backslash.
        std::string joined;
        if (StartsWithNoCase(rest, "hex") && !rest.empty() && rest.back() == '\\') {
            joined = rest;
            while (!joined.empty() && joined.back() == '\\' && i + 1 < lines.size()) {
                joined.pop_back();
                joined += Trim(lines[++i]);
            }
            rest = joined;
        }
        if (current == kNoKey)
            continue;
        if (auto value = ParseData(std::move(name), rest))
            StoreTree::SetValue(tree.keys[current], std::move(*value));
    }
    return tree;
}

std::string FormatRegFile(const StoreTree& tree) {
    std::string out(kHeader);
    out += "\n\n";
    for (const auto& key : tree.keys) {
        out += "[" + key.path + "]\n";
        for (const auto& v : key.values) {
            out += v.name.empty() ? "@" : "\"" + Escape(v.name) + "\"";
            out += "=" + FormatData(v) + "\n";
        }
        out += "\n";
    }
    return out;
}

class RegFileStore::Key : public StoreKey {
  public:
    Key(const RegFileStore& store, std::string path, bool writable)
        : store_(&store), path_(std::move(path)), writable_(writable) {}

    StoreResult<std::uint32_t> ReadDword(std::string_view name) override {
        StoreTree tree;
        if (StoreError e = Load(tree, name); !e.ok())
            return {0, e};
        return StoreTree::ReadDword(tree.Find(path_), name);
    }

    StoreResult<std::string> ReadString(std::string_view name) override {
        StoreTree tree;
        if (StoreError e = Load(tree, name); !e.ok())
            return {{}, e};
        return StoreTree::ReadString(tree.Find(path_), name);
    }

    StoreError WriteDword(std::string_view name, std::uint32_t value) override {
        return Write(StoredValue::Dword(name, value));
    }

    StoreError WriteString(std::string_view name, std::string_view value) override {
        return Write(StoredValue::String(name, value));
    }

    StoreResult<std::vector<std::string>> SubKeyNames() override {
        if (!store_)
            return {{}, {StoreStatus::Failed, 0, {}}};
        StoreTree tree;
        if (StoreError e = store_->Load(tree); !e.ok())
            return {{}, e};
        return {tree.SubKeyNames(path_), {}};
    }

    void Close() override { store_ = nullptr; }

  private:
    StoreError Load(StoreTree& tree, std::string_view name) const {
        if (!store_)
            return ReadError(StoreStatus::Failed, name);
        StoreError e = store_->Load(tree);
        if (!e.ok())
            e.text = ReadErrorText(e.status, name);
        return e;
    }

    StoreError Write(StoredValue value) {
        if (!store_)
            return WriteError(StoreStatus::Failed, value.name);
        if (!writable_)
            return WriteError(StoreStatus::AccessDenied, value.name);
        if (!FitsQuoted(value.name))
            return WriteError(StoreStatus::Failed, value.name); // the format cannot hold it
        std::string name = value.name;
        StoreError e = store_->Modify([&](StoreTree& tree) {
            return StoreTree::SetValue(tree.Obtain(path_), std::move(value));
        });
        if (!e.ok())
            e.text = WriteErrorText(name);
        return e;
    }

    const RegFileStore* store_;
    std::string path_;
    bool writable_;
};

RegFileStore::RegFileStore() : path_(DefaultPath()) {}

RegFileStore::RegFileStore(std::string path) : path_(std::move(path)) {}

std::string RegFileStore::DefaultPath() {
    return CORVANE_REGISTRY_PATH;
}

StoreError RegFileStore::Load(StoreTree& tree) const {
    int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            tree = {};
            return {};
        }
        return KeyError(errno);
    }
    std::string text;
    char buf[8192];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            close(fd);
            return KeyError(err);
        }
        if (n == 0)
            break;
        text.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    tree = ParseRegFile(text);
    return {};
}

template <class Change> StoreError RegFileStore::Modify(Change change) const {
    std::error_code ec;
    std::filesystem::create_directories(DirectoryOf(path_), ec);
    if (ec)
        return KeyError(ec.value());
    FileLock lock(path_);
    if (lock.error())
        return KeyError(lock.error());
    StoreTree tree;
    if (StoreError e = Load(tree); !e.ok())
        return e;
    if (!change(tree))
        return {};
    errno = 0;
    if (!WriteFileAtomic(path_, FormatRegFile(tree), nullptr))
        return KeyError(errno ? errno : EIO);
    return {};
}

StoreResult<std::unique_ptr<StoreKey>> RegFileStore::OpenKey(StoreRoot root, std::string_view path,
                                                             KeyAccess access) {
    std::optional<std::string> full = store_tree::FullKeyPath(root, path);
    if (!full)
        return {nullptr, {StoreStatus::Failed, EINVAL, {}}};

    if (access == KeyAccess::CreateAllAccess) {
        StoreError e = Modify([&](StoreTree& tree) {
            if (tree.Exists(*full))
                return false;
            tree.Obtain(*full);
            return true;
        });
        if (!e.ok())
            return {nullptr, e};
    } else {
        StoreTree tree;
        if (StoreError e = Load(tree); !e.ok())
            return {nullptr, e};
        if (!tree.Exists(*full))
            return {nullptr, {StoreStatus::NotFound, ENOENT, {}}};
    }
    // All access means the file can be replaced: the directory must take a new entry.
    bool writable = access != KeyAccess::ExistingReadOnly;
    if (writable && ::access(DirectoryOf(path_).c_str(), W_OK | X_OK) != 0)
        return {nullptr, KeyError(errno)};
    return {std::make_unique<Key>(*this, *full, writable), {}};
}

} // namespace corvane
