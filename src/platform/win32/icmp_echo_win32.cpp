#include "platform/win32/icmp_echo_win32.h"

// Sockets before windows.h, the IP helper after both.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

#include <cstring>
#include <vector>

namespace corvane {

namespace {

using IcmpCreateFileFn = HANDLE(WINAPI*)();
using IcmpCloseHandleFn = BOOL(WINAPI*)(HANDLE);
using IcmpSendEchoFn = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID,
                                      DWORD, DWORD);

template <class F> F Resolve(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class Win32IcmpEcho : public IcmpEcho {
  public:
    explicit Win32IcmpEcho(std::string library) : library_(std::move(library)) {}
    ~Win32IcmpEcho() override { Close(); }

    IcmpOpenResult Open() override {
        if (handle_ != INVALID_HANDLE_VALUE)
            return IcmpOpenResult::Ok;
        WSADATA data;
        if (WSAStartup(0x0101, &data) != 0)
            return IcmpOpenResult::SocketsFailed;
        sockets_ = true;
        module_ = LoadLibraryA(library_.c_str());
        if (!module_)
            return Fail(IcmpOpenResult::ServiceMissing);
        create_ = Resolve<IcmpCreateFileFn>(module_, "IcmpCreateFile");
        close_ = Resolve<IcmpCloseHandleFn>(module_, "IcmpCloseHandle");
        send_ = Resolve<IcmpSendEchoFn>(module_, "IcmpSendEcho");
        if (!create_ || !close_ || !send_)
            return Fail(IcmpOpenResult::EntryPointsMissing);
        handle_ = create_();
        if (handle_ == INVALID_HANDLE_VALUE)
            return Fail(IcmpOpenResult::HandleFailed);
        return IcmpOpenResult::Ok;
    }

    void Close() override {
        if (handle_ != INVALID_HANDLE_VALUE && close_)
            close_(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        if (module_)
            FreeLibrary(module_);
        module_ = nullptr;
        create_ = nullptr;
        close_ = nullptr;
        send_ = nullptr;
        if (sockets_)
            WSACleanup();
        sockets_ = false;
    }

    std::uint32_t SendEcho(const EchoRequest& request, IcmpEchoReply& reply,
                           SysError& error) override {
        reply = {};
        if (handle_ == INVALID_HANDLE_VALUE) {
            error = IP_GENERAL_FAILURE;
            return 0;
        }
        // The native reply record, the echoed data and room for the 8 bytes of
        // an ICMP error report.
        std::vector<std::uint64_t> buffer(
            (sizeof(ICMP_ECHO_REPLY) + request.data.size() + 8) / sizeof(std::uint64_t) + 1);
        auto* native = reinterpret_cast<ICMP_ECHO_REPLY*>(buffer.data());
        IP_OPTION_INFORMATION options{};
        options.Ttl = request.options.Ttl;
        options.Flags = request.options.Flags;
        std::vector<std::uint8_t> data(request.data.begin(), request.data.end());
        const DWORD replySize = static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t));

        SetLastError(0);
        DWORD n = send_(handle_, request.destination, data.empty() ? nullptr : data.data(),
                        static_cast<WORD>(data.size()), &options, buffer.data(), replySize,
                        request.timeoutMs);
        // A router's error report also counts as a reply to the service; to
        // us only an echo reply does.
        if (n > 0)
            error = native->Status;
        else if ((error = GetLastError()) == 0)
            error = IP_GENERAL_FAILURE;
        reply.Address = native->Address;
        reply.Status = native->Status;
        reply.RoundTripTime = native->RoundTripTime;
        reply.DataSize = native->DataSize;
        reply.Reserved = native->Reserved;
        reply.Options.Ttl = native->Options.Ttl;
        reply.Options.Tos = native->Options.Tos;
        reply.Options.Flags = native->Options.Flags;
        reply.Options.OptionsSize = native->Options.OptionsSize;
        return n > 0 && native->Status == IP_SUCCESS ? 1 : 0;
    }

  private:
    IcmpOpenResult Fail(IcmpOpenResult result) {
        Close();
        return result;
    }

    std::string library_;
    bool sockets_ = false;
    HMODULE module_ = nullptr;
    IcmpCreateFileFn create_ = nullptr;
    IcmpCloseHandleFn close_ = nullptr;
    IcmpSendEchoFn send_ = nullptr;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace

std::unique_ptr<IcmpEcho> CreateWin32IcmpEcho(const std::string& library) {
    return std::make_unique<Win32IcmpEcho>(library);
}

std::unique_ptr<IcmpEcho> CreateSystemIcmpEcho() {
    return CreateWin32IcmpEcho();
}

} // namespace corvane
