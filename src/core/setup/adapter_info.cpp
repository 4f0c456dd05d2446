#include "core/setup/adapter_info.h"

#include <algorithm>
#include <cstdio>

#include "core/app/ascii.h"
#include "core/app/tokenizer.h"
#include "core/setup/tables.h"

namespace corvane {

namespace {

std::string OrBlank(const std::string& text) {
    return text.empty() ? " " : text;
}

TreeNode Item(std::string text, int image = kImageItem) {
    return {std::move(text), image, {}};
}

} // namespace

std::string AdapterTypeName(std::uint32_t type) {
    return type == 9 ? "Tokenring" : IfTableTypeName(type);
}

std::string MacText(const AdapterRecord& a) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02X-%02X-%02X-%02X-%02X-%02X", a.Address[0], a.Address[1],
                  a.Address[2], a.Address[3], a.Address[4], a.Address[5]);
    return buf;
}

std::string LeaseTimeText(std::int64_t seconds, const LocalTimeFunction& toLocal) {
    std::optional<CivilTime> t = toLocal ? toLocal(seconds) : std::nullopt;
    if (!t)
        return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%02d %02d:%02d", t->day, t->month,
                  ((t->year % 100) + 100) % 100, t->hour, t->minute);
    return std::string(buf).substr(0, 14);
}

std::string SummaryLine(const AdapterRecord& a, const std::string& connectionName) {
    const std::string wins = a.HaveWins ? a.PrimaryWinsServer : std::string();
    return OrBlank(a.IpAddress) + "," + (a.DhcpEnabled ? "YES" : "NO") + "," + OrBlank(a.IpMask) +
           "," + OrBlank(a.Gateway) + "," + (connectionName.empty() ? "none" : connectionName) +
           ", ," + OrBlank(wins) + "," + std::to_string(a.Index);
}

std::string DisplayText(const std::string& connectionName, const std::string& description) {
    return connectionName + " (" + TrimControls(description) + ")";
}

std::optional<std::string> ShowErrorText(const IpHelper& helper, SysError code) {
    std::optional<std::string> text = helper.ErrorText(code);
    if (!text)
        return std::nullopt;
    return "Something didn't work..: " + *text;
}

std::string InitErrorText(std::uint32_t bindingReport) {
    if (bindingReport == 0)
        return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s [Code = 0x%04X]", "Couldn't load DLL function(s) ",
                  static_cast<unsigned>(bindingReport));
    return buf;
}

AdapterInfo ReadAdapterInfo(IpHelper& helper, ConnectionNames& names, bool wasFailed,
                            const LocalTimeFunction& toLocal) {
    AdapterInfo out;
    out.readFailed = wasFailed;
    try {
        if (helper.BindingReport() & kBindGetAdaptersInfo)
            throw kNotBound;
        std::vector<AdapterRecord> adapters;
        if (SysError code = helper.GetAdaptersInfo(adapters); code != kSuccess) {
            if (!wasFailed)
                out.shownErrors.push_back(code);
            out.readFailed = true;
            return out;
        }
        out.readFailed = false;
        for (const AdapterRecord& a : adapters) {
            if (out.readFailed)
                break;
            const std::string desc = TrimControls(a.Description);
            out.tree.push_back(Item(desc));
            const std::size_t node = out.tree.size() - 1;
            const std::string connection = names.ConnectionNameOf(a.AdapterName);
            const std::string name = connection.empty() ? "none" : connection;
            int image = kImageNoConnection;
            if (!connection.empty()) {
                const std::string entry = connection + " (" + desc + ")";
                if (std::none_of(out.displayTexts.begin(), out.displayTexts.end(),
                                 [&](const std::string& e) { return EqualNoCase(e, entry); })) {
                    out.displayTexts.push_back(entry);
                    out.adapterNames.push_back(a.AdapterName);
                }
                out.loadApipaChecks = true;
                image = a.IpAddress == "0.0.0.0" ? kImageNoAddress : kImageAdapter;
            }
            std::vector<TreeNode>& kids = out.tree[node].children;
            out.tree[node].image = image;
            kids.push_back(Item("Connection Name: " + name));
            kids.push_back(Item("GUID: " + a.AdapterName));
            kids.push_back(Item("Index: " + [&] {
                char buf[16];
                std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(a.Index));
                return std::string(buf);
            }()));
            kids.push_back(Item("Media Type: " + AdapterTypeName(a.Type)));
            kids.push_back(Item("MAC: " + MacText(a)));
            kids.push_back(Item("IP Address: " + a.IpAddress));
            kids.push_back(Item("IP Mask: " + a.IpMask));
            std::size_t apipaNode = 0;
            if (!connection.empty()) {
                kids.push_back(Item("APIPA status: unknown"));
                apipaNode = kids.size() - 1;
            }
            kids.push_back(Item(a.Gateway.empty() ? "Gateway: none" : "Gateway: " + a.Gateway));
            if (a.DhcpEnabled) {
                TreeNode dhcp = Item("DHCP", kImageGroup);
                dhcp.children.push_back(Item("DHCP Server: " + a.DhcpServer));
                dhcp.children.push_back(
                    Item("Lease Obtained: " + LeaseTimeText(a.LeaseObtained, toLocal)));
                dhcp.children.push_back(
                    Item("Lease Expires: " + LeaseTimeText(a.LeaseExpires, toLocal)));
                kids.push_back(std::move(dhcp));
            }
            if (a.HaveWins) {
                TreeNode wins = Item("WINS", kImageGroup);
                wins.children.push_back(
                    Item("Primary WINS Server: " + a.PrimaryWinsServer, kImageGroup));
                wins.children.push_back(
                    Item("Secondary WINS Server: " + a.SecondaryWinsServer, kImageGroup));
                kids.push_back(std::move(wins));
            }
            if (!connection.empty() && a.IpAddress != "0.0.0.0") {
                if (helper.BindingReport() & kBindGetPerAdapterInfo)
                    throw kNotBound;
                PerAdapterInfo info;
                if (SysError code = helper.GetPerAdapterInfo(a.Index, info); code != kSuccess) {
                    out.shownErrors.push_back(code);
                    out.readFailed = true;
                } else {
                    kids[apipaNode].text =
                        info.AutoconfigEnabled ? "APIPA status: enabled" : "APIPA status: disabled";
                    TreeNode dns = Item("DNS", kImageGroup);
                    const std::string first =
                        info.DnsServerList.empty() ? std::string() : info.DnsServerList[0];
                    dns.children.push_back(
                        Item(first.size() > 6 ? "DNS Server: " + first : "DNS Server: none",
                             kImageGroup));
                    for (std::size_t i = 1; i < info.DnsServerList.size(); ++i)
                        dns.children.push_back(
                            Item("DNS Server: " + info.DnsServerList[i], kImageGroup));
                    kids.push_back(std::move(dns));
                }
            }
            out.summaries.push_back(SummaryLine(a, connection));
        }
    } catch (...) {
        out.readFailed = true;
        out.readError = true;
    }
    return out;
}

} // namespace corvane
