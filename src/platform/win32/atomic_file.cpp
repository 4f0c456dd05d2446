#include "platform/atomic_file.h"

#include <windows.h>

#include <atomic>

namespace corvane {

namespace {

bool Fail(std::string* error, const std::string& what, DWORD code) {
    if (error)
        *error = what + ": error " + std::to_string(code);
    return false;
}

} // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + "." + std::to_string(GetCurrentProcessId()) + "." +
                             std::to_string(counter++) + ".tmp";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail(error, "cannot create " + temp, GetLastError());

    auto abandon = [&](const std::string& what) {
        DWORD code = GetLastError();
        CloseHandle(file);
        DeleteFileA(temp.c_str());
        return Fail(error, what, code);
    };
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0)
            return abandon("cannot write " + temp);
        p += written;
        left -= written;
    }
    if (!FlushFileBuffers(file))
        return abandon("cannot flush " + temp);
    if (!CloseHandle(file)) {
        DWORD code = GetLastError();
        DeleteFileA(temp.c_str());
        return Fail(error, "cannot close " + temp, code);
    }
    if (!MoveFileExA(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD code = GetLastError();
        DeleteFileA(temp.c_str());
        return Fail(error, "cannot replace " + path, code);
    }
    return true;
}

} // namespace corvane
