#include "platform/linux/adapter_values.h"

#include <sstream>

#include "core/setup/apipa.h"

namespace corvane::linux_backend {

std::string WinsKey(const std::string& adapterName) {
    if (TcpipInterfaceKey(adapterName).empty())
        return {};
    return "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_" +
           adapterName;
}

std::optional<std::string> ReadAdapterText(SettingsStore& store, const std::string& keyPath,
                                           const char* valueName) {
    if (keyPath.empty())
        return std::nullopt;
    auto key = store.OpenKey(StoreRoot::LocalMachine, keyPath, KeyAccess::ExistingReadOnly);
    if (!key.ok() || !key.value)
        return std::nullopt;
    auto value = key.value->ReadString(valueName);
    key.value->Close();
    if (!value.ok())
        return std::nullopt;
    return value.value;
}

StoreError WriteAdapterText(SettingsStore& store, const std::string& keyPath, const char* valueName,
                            const std::string& text) {
    if (keyPath.empty())
        return {StoreStatus::Failed, 0, {}};
    auto key = store.OpenKey(StoreRoot::LocalMachine, keyPath, KeyAccess::CreateAllAccess);
    if (!key.ok() || !key.value)
        return key.error;
    StoreError e = key.value->WriteString(valueName, text);
    key.value->Close();
    return e;
}

std::optional<std::uint32_t> ReadAdapterDword(SettingsStore& store, const std::string& keyPath,
                                              const char* valueName) {
    if (keyPath.empty())
        return std::nullopt;
    auto key = store.OpenKey(StoreRoot::LocalMachine, keyPath, KeyAccess::ExistingReadOnly);
    if (!key.ok() || !key.value)
        return std::nullopt;
    auto value = key.value->ReadDword(valueName);
    key.value->Close();
    if (!value.ok())
        return std::nullopt;
    return value.value;
}

StoreError WriteAdapterDword(SettingsStore& store, const std::string& keyPath,
                             const char* valueName, std::uint32_t value) {
    if (keyPath.empty())
        return {StoreStatus::Failed, 0, {}};
    auto key = store.OpenKey(StoreRoot::LocalMachine, keyPath, KeyAccess::CreateAllAccess);
    if (!key.ok() || !key.value)
        return key.error;
    StoreError e = key.value->WriteDword(valueName, value);
    key.value->Close();
    return e;
}

std::pair<std::string, std::string> ReadWinsServers(SettingsStore& store,
                                                    const std::string& adapterName) {
    std::pair<std::string, std::string> servers;
    auto text = ReadAdapterText(store, WinsKey(adapterName), kWinsValueName);
    if (!text)
        return servers;
    std::istringstream words(*text);
    words >> servers.first >> servers.second;
    return servers;
}

StoreError WriteWinsServers(SettingsStore& store, const std::string& adapterName,
                            const std::vector<std::string>& servers) {
    std::string text;
    for (const std::string& s : servers)
        text += (text.empty() ? "" : " ") + s;
    return WriteAdapterText(store, WinsKey(adapterName), kWinsValueName, text);
}

std::string JoinCommandLine(const std::vector<std::string>& argv) {
    std::string out;
    for (const std::string& a : argv) {
        if (!out.empty())
            out += ' ';
        if (!a.empty() && a.find_first_of(" \t\"\\") == std::string::npos) {
            out += a;
            continue;
        }
        out += '"';
        for (char c : a) {
            if (c == '"' || c == '\\')
                out += '\\';
            out += c;
        }
        out += '"';
    }
    return out;
}

std::vector<std::string> SplitStoredCommandLine(const std::string& text) {
    std::vector<std::string> argv;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= text.size())
            break;
        std::string arg;
        if (text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size())
                    ++i;
                arg += text[i];
            }
            ++i; // the closing quote
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t')
                arg += text[i++];
        }
        argv.push_back(std::move(arg));
    }
    return argv;
}

} // namespace corvane::linux_backend
