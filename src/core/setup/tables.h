#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane {

// "0x" and the value in upper-case hex without leading zeros: 26 -> "0x1A".
std::string HexIndex(std::uint32_t value);

// Interface table texts. The adapter tree spells token ring differently.
std::string IfTableTypeName(std::uint32_t type);
std::string OperStatusText(std::uint32_t status);

// Columns of lvIfTable: Index, Address, Type, Speed, Oper Status, Description.
std::vector<std::string> IfTableRowTexts(const IfRow& row);
// Columns of lvFwTable: Dst. Address, Dst. Mask, Next Hop, Index, Metric.
std::vector<std::string> RouteTableRowTexts(const ForwardRow& row);

// What a table refresh leaves in its list view.
struct TableRefresh {
    enum class Outcome { Replace, Keep };
    Outcome outcome = Outcome::Keep;
    std::vector<std::vector<std::string>> rows; // for Replace
    // A message box to show, or empty: text, title and whether it is the stop
    // icon (else the exclamation icon).
    std::string message;
    std::string title;
    bool stopIcon = false;
};

// RefreshInterfaceTable: rows sorted by index; a failing read keeps the old
// rows silently; an unusable helper is "Couldn't read I/F table.".
TableRefresh ReadInterfaceTable(IpHelper& helper);
// RefreshRouteTable: a failing read is "GetFwTable failed."; an unusable helper
// ends silently.
TableRefresh ReadRouteTable(IpHelper& helper);

// pmIfMenuPopup: whether "Renew IP" is enabled for the selected row's texts.
bool RenewIpEnabled(bool rowSelected, const std::string& operStatusText,
                    const std::string& typeText);
// RenewIP1Click: the "Index" cell read as an integer ("0x" means hex); 1 when
// it cannot be read.
std::uint32_t IndexOfCell(const std::string& text);

} // namespace corvane
