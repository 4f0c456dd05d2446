#include "core/setup/tables.h"

#include <algorithm>
#include <cstdio>

#include "core/addr/ip.h"

namespace corvane {

std::string HexIndex(std::uint32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(value));
    return buf;
}

std::string IfTableTypeName(std::uint32_t type) {
    switch (type) {
    case 6:
        return "Ethernet";
    case 9:
        return "TokenRing";
    case 15:
        return "FDDI";
    case 23:
        return "PPP";
    case 24:
        return "Loopback";
    case 28:
        return "SLIP";
    default:
        return "Other";
    }
}

std::string OperStatusText(std::uint32_t status) {
    static const char* const texts[] = {"non-operational",    "WAN not connected",
                                        "Cable disconnected", "connecting",
                                        "connected",          "operational"};
    return status < 6 ? texts[status] : "";
}

std::vector<std::string> IfTableRowTexts(const IfRow& row) {
    std::string mac;
    const std::uint32_t len = std::min<std::uint32_t>(row.dwPhysAddrLen, 8);
    for (std::uint32_t i = 0; i < len; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", row.bPhysAddr[i]);
        if (i)
            mac += '-';
        mac += pair;
    }
    std::string descr;
    const std::uint32_t dlen = std::min<std::uint32_t>(row.dwDescrLen, 256);
    for (std::uint32_t i = 0; i < dlen && row.bDescr[i] != 0; ++i)
        descr += static_cast<char>(row.bDescr[i]);
    return {HexIndex(row.dwIndex),
            mac,
            IfTableTypeName(row.dwType),
            std::to_string(row.dwSpeed),
            OperStatusText(row.dwOperStatus),
            descr};
}

std::vector<std::string> RouteTableRowTexts(const ForwardRow& row) {
    return {ip(ToHostOrder(row.dwForwardDest)).text(), ip(ToHostOrder(row.dwForwardMask)).text(),
            ip(ToHostOrder(row.dwForwardNextHop)).text(), HexIndex(row.dwForwardIfIndex),
            std::to_string(row.dwForwardMetric1)};
}

TableRefresh ReadInterfaceTable(IpHelper& helper) {
    TableRefresh r;
    try {
        std::vector<IfRow> rows;
        SysError code =
            (helper.BindingReport() & kBindGetIfTable) ? kNotBound : helper.GetIfTable(rows, true);
        if (code == kNotBound) {
            r.message = "Couldn't read I/F table.";
            r.title = "Error";
            r.stopIcon = true;
            return r;
        }
        if (code != kSuccess)
            return r;
        r.outcome = TableRefresh::Outcome::Replace;
        for (const IfRow& row : rows)
            r.rows.push_back(IfTableRowTexts(row));
    } catch (...) {
        r = {};
        r.message = "Couldn't read I/F table.";
        r.title = "Error";
        r.stopIcon = true;
    }
    return r;
}

TableRefresh ReadRouteTable(IpHelper& helper) {
    TableRefresh r;
    try {
        std::vector<ForwardRow> rows;
        SysError code = (helper.BindingReport() & kBindGetIpForwardTable)
                            ? kNotBound
                            : helper.GetIpForwardTable(rows, true);
        if (code == kNotBound)
            return r;
        if (code != kSuccess) {
            r.message = "GetFwTable failed.";
            r.title = "Corvane";
            return r;
        }
        r.outcome = TableRefresh::Outcome::Replace;
        for (const ForwardRow& row : rows)
            r.rows.push_back(RouteTableRowTexts(row));
    } catch (...) {
        r = {};
    }
    return r;
}

bool RenewIpEnabled(bool rowSelected, const std::string& operStatusText,
                    const std::string& typeText) {
    return rowSelected && operStatusText == "operational" && typeText != "Loopback";
}

std::uint32_t IndexOfCell(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    } else if (text.compare(i, 1, "$") == 0) {
        base = 16;
        i += 1;
    }
    if (i >= text.size())
        return 1;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : 99;
        if (digit >= base)
            return 1;
        value = value * base + digit;
        // Hex may use all 32 bits; decimal must fit a signed 32-bit integer.
        if (value > (base == 16 ? 0xFFFFFFFFull : 0x80000000ull))
            return 1;
    }
    if (base == 10 && !negative && value > 0x7FFFFFFF)
        return 1;
    return negative ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(value))
                    : static_cast<std::uint32_t>(value);
}

} // namespace corvane
