#include "platform/capture_source.h"

// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <mstcpip.h>
// clang-format on

#include <thread>
#include <vector>

#include "core/addr/ip.h"
#include "platform/capture_queue.h"

namespace corvane {

namespace {

constexpr std::size_t kPacketSize = 65536;     // the largest IPv4 packet fits
constexpr u_short kCapturePort = 6000;

// A raw IPv4 socket in receive-all mode on one local address. A thread of its
// own waits for the socket's read events and queues the packets; the owner is
// told when the queue stops being empty.
class Win32CaptureSource : public CaptureSource {
  public:
    ~Win32CaptureSource() override { Stop(); }

    CaptureStartResult Start(const std::string& address, Notify notify) override {
        Stop();
        queue_.Reset();
        WSADATA data;
        if (int e = WSAStartup(0x0102, &data))
            return {CaptureFailure::SocketInit, static_cast<SysError>(e)};
        SOCKET s = socket(AF_INET, SOCK_RAW, IPPROTO_IP);
        if (s == INVALID_SOCKET) {
            SysError e = static_cast<SysError>(WSAGetLastError());
            WSACleanup();
            return {CaptureFailure::SocketInit, e};
        }
        ip chosen(address);
        if (chosen.value() == 0x7F000001) {
            closesocket(s);
            WSACleanup();
            return {CaptureFailure::LocalHost, 0};
        }
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(kCapturePort);
        where.sin_addr.s_addr = chosen.networkValue();
        // A failed bind shows as a refused receive-all switch below.
        bind(s, reinterpret_cast<sockaddr*>(&where), sizeof where);
        DWORD on = RCVALL_ON;
        DWORD returned = 0;
        if (WSAIoctl(s, SIO_RCVALL, &on, sizeof on, nullptr, 0, &returned, nullptr, nullptr) != 0)
            return Fail(s, WSAGetLastError());
        WSAEVENT readable = WSACreateEvent();
        if (readable == WSA_INVALID_EVENT)
            return Fail(s, WSAGetLastError());
        if (WSAEventSelect(s, readable, FD_READ) != 0) {
            SysError e = static_cast<SysError>(WSAGetLastError());
            WSACloseEvent(readable);
            return Fail(s, static_cast<int>(e));
        }
        HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (!stop) {
            SysError e = static_cast<SysError>(GetLastError());
            WSACloseEvent(readable);
            return Fail(s, static_cast<int>(e));
        }
        socket_ = s;
        readable_ = readable;
        stop_ = stop;
        notify_ = std::move(notify);
        reader_ = std::thread([this] { Read(); });
        return {};
    }

    void Stop() override {
        if (socket_ == INVALID_SOCKET)
            return;
        SetEvent(stop_);
        reader_.join();
        closesocket(socket_);
        WSACloseEvent(readable_);
        CloseHandle(stop_);
        WSACleanup();
        socket_ = INVALID_SOCKET;
        notify_ = nullptr;
    }

    bool Running() const override { return socket_ != INVALID_SOCKET; }

    std::size_t Take(PacketBatch& batch) override { return queue_.Take(batch); }

    CaptureStats Stats() override { return queue_.Stats(); }

  private:
    CaptureStartResult Fail(SOCKET s, int error) {
        closesocket(s);
        WSACleanup();
        return {CaptureFailure::SocketOpen, static_cast<SysError>(error)};
    }

    void Read() {
        std::vector<char> buffer(kPacketSize);
        const HANDLE waits[2] = {stop_, readable_};
        for (;;) {
            DWORD w = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
            if (w != WAIT_OBJECT_0 + 1)
                return;
            WSANETWORKEVENTS events;
            WSAEnumNetworkEvents(socket_, readable_, &events);
            bool wake = false;
            for (;;) {
                int n = recv(socket_, buffer.data(), static_cast<int>(buffer.size()), 0);
                if (n <= 0)
                    break; // WSAEWOULDBLOCK: all read; the next packet sets the event again
                wake |= queue_.Push(reinterpret_cast<const std::uint8_t*>(buffer.data()),
                                    static_cast<std::size_t>(n));
            }
            if (wake && notify_)
                notify_();
        }
    }

    SOCKET socket_ = INVALID_SOCKET;
    WSAEVENT readable_ = WSA_INVALID_EVENT;
    HANDLE stop_ = nullptr;
    Notify notify_;
    std::thread reader_;
    CaptureQueue queue_;
};

} // namespace

std::unique_ptr<CaptureSource> CreateSystemCaptureSource() {
    return std::make_unique<Win32CaptureSource>();
}

} // namespace corvane
