#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace corvane {

// Column captions of the network list, in column order.
inline constexpr const char* kNetworkColumns[3] = {"IP Address", "Mask", "Seen by (Protocol)"};
inline constexpr const char* kHostMask = "255.255.255.255";

// One row of the network list as the window shows it.
struct NetworkRow {
    std::string address; // the row's caption
    std::string mask;
    std::string protocol; // "HSRP", "VRRP", "OSPF", "EIGRP", "RIPV1", "RIPV2", ...

    bool operator==(const NetworkRow&) const = default;
};

// The addresses found, in the order found. An address is listed once per
// protocol; all RIP versions count as one protocol.
class NetworkList {
  public:
    // Appends the row unless that address is already listed for that protocol.
    // True when a row was added.
    bool AddUnlessListed(std::string_view address, std::string_view mask,
                         std::string_view protocol);
    void Clear();

    const std::vector<NetworkRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }

  private:
    std::vector<NetworkRow> rows_;
    // address + '\n' + protocol (or "RIP"), so a flood of hellos costs no scan
    std::unordered_set<std::string> keys_;
};

} // namespace corvane
