#include "platform/program_info.h"

#include <windows.h>

#include <vector>

namespace corvane {

std::optional<std::string> ProgramFileVersion() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::nullopt;
        if (n < path.size())
            break;
        path.resize(path.size() * 2);
    }
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.data(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(path.data(), 0, size, info.data()))
        return std::nullopt;
    char* text = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                        reinterpret_cast<void**>(&text), &len) ||
        !text)
        return std::nullopt;
    // The length may or may not count the terminator.
    std::string version(text, len);
    while (!version.empty() && version.back() == '\0')
        version.pop_back();
    return version;
}

// Windows 2000 and XP only: the low byte of GetVersion is the major version.
bool OperatingSystemSupported() {
    return (GetVersion() & 0xFF) == 5;
}

std::string SystemDirectory() {
    char buf[MAX_PATH] = {};
    UINT n = GetSystemDirectoryA(buf, sizeof buf);
    if (n == 0 || n >= sizeof buf)
        return {};
    return std::string(buf, n);
}

} // namespace corvane
