#include "core/lookup/lookup_text.h"

#include "core/addr/ip.h"
#include "core/app/tokenizer.h"

namespace corvane {

std::vector<std::string> LookupInterfaceEntries(const std::vector<std::string>& adapterSummaries) {
    std::vector<std::string> entries;
    for (const std::string& line : adapterSummaries) {
        tokenizer fields(line, ',');
        std::string connection = fields.field(5);
        if (connection == "none")
            continue;
        ip address(fields.field(1));
        if (address.isZero() || !address.valid())
            continue;
        entries.push_back(address.text() + " (" + connection + ")");
    }
    return entries;
}

std::string AddressOfInterfaceEntry(std::string_view entry) {
    return std::string(entry.substr(0, entry.find(' ')));
}

std::string CaptureFailureMessage(CaptureFailure failure, std::uint32_t error) {
    // Socket error numbers are shown signed, as the system's socket layer gives them.
    const std::string code = std::to_string(static_cast<std::int32_t>(error));
    switch (failure) {
    case CaptureFailure::None:
        return {};
    case CaptureFailure::SocketInit:
        return "Socket initialisation error (" + code + ").";
    case CaptureFailure::LocalHost:
        return "System's IP address is local host, NIC link is probably down.";
    case CaptureFailure::SocketOpen:
        return "Socket opening error (" + code + ").";
    }
    return {};
}

} // namespace corvane
