#pragma once
#include "platform/settings_store.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Where the settings live and what their values are called.
namespace settings_names {
inline constexpr std::string_view kKey = "Software\\tessaly software\\corvane";

inline constexpr std::string_view kAllowMultipleAddresses = "Allow Multiple Addresses";
inline constexpr std::string_view kDoNotClose = "Do Not Close CORVANE";
inline constexpr std::string_view kMinimize = "Minimize";
inline constexpr std::string_view kClassBasedSubnetMask = "Class Based Subnet Mask";
inline constexpr std::string_view kEnableHints = "Enable Hints";
inline constexpr std::string_view kAutoNetworkCheck = "Auto Network Check";
inline constexpr std::string_view kHiddenInterfaces = "Hidden Interfaces";
inline constexpr std::string_view kPingTimeout = "Ping Timeout";
inline constexpr std::string_view kPingCount = "Ping Count";
inline constexpr std::string_view kNicAutoUpdateInterval = "NIC Auto Update Interval";
inline constexpr std::string_view kDeleteScript = "DC";
inline constexpr std::string_view kOptionFlags = "Option Flags";
inline constexpr std::string_view kColumnOrder = "Column Order";

std::string HiddenIf(int n); // "HiddenIf0", "HiddenIf1", ...
std::string Caption(int n);  // "C0" to "C4"
std::string Width(int n);    // "W0" to "W4"
} // namespace settings_names

inline constexpr int kColumnCount = 5;

// The main list's column captions in their designed order.
inline constexpr std::array<std::string_view, kColumnCount> kDefaultColumnCaptions = {
    "IP Address", "Network Mask", "Default Router", "Interface Name", "Remarks"};

inline constexpr std::string_view kDefaultColumnOrder = "12345";

// Bits of OptionFlags: the protocols the discovery listens for.
enum OptionFlag : std::uint32_t {
    kOptionHsrp = 1,
    kOptionVrrp = 2,
    kOptionOspf = 4,
    kOptionEigrp = 8,
    kOptionRip = 16,
};

// The option check boxes of the tools window.
enum class SettingsOption {
    cbMultipleIP,
    DontCloseCheckBox,
    cbMinimize,
    cbClassfulSubnets,
    cbEnableHints,
    cbAutoUpdate,
};

struct CheckListEntry {
    std::string text;
    bool checked = false;
};

using ColumnWidths = std::array<std::int32_t, kColumnCount>;

// The persistent preferences as the tools window holds them, and the
// operations that load, reset and save them. Every operation opens the
// settings key once and closes it before returning. Save operations throw
// ERegistryException when a write is refused; what was written before stays.
class Settings {
  public:
    // Called whenever SetChecked changes a box's state, so that the window can
    // show it and run the box's click handler.
    using CheckChangedHook = std::function<void(SettingsOption, bool checked)>;

    explicit Settings(SettingsStore& store);

    bool Checked(SettingsOption box) const;
    void SetChecked(SettingsOption box, bool checked);
    void SetCheckChangedHook(CheckChangedHook hook) { hook_ = std::move(hook); }

    bool MinimizeEnabled() const { return minimizeEnabled_; }
    void SetMinimizeEnabled(bool enabled) { minimizeEnabled_ = enabled; }

    // Reads every value; on a missing or mistyped value writes the defaults.
    // A key that cannot be opened leaves everything as it is. Throws only when
    // even the defaults cannot be written.
    void LoadSettings();
    void WriteDefaultSettings();
    void SaveSettings();
    void SaveColumnOrder();
    void ResetColumnOrder();
    std::string ColumnOrderText() const;
    void SaveOptionFlags();
    // Stops quietly at the first width that cannot be read.
    void LoadColumnWidths(ColumnWidths& widths);
    void SaveColumnWidths(const ColumnWidths& widths);
    // Adds and checks the stored hidden connections in lbHideInterface.
    void LoadHiddenInterfaces();

    std::int32_t PingTimeout = 0;
    std::int32_t PingCount = 0;
    std::int32_t NicAutoUpdateInterval = 0;
    std::uint32_t OptionFlags = 0;
    bool DeleteScript = false;
    std::string ColumnOrder;
    bool StayOnTop = false; // not stored

    std::vector<std::string> lbColumnOrder;
    std::vector<CheckListEntry> lbHideInterface;

  private:
    class Key;

    bool ReadAll(Key& key);

    SettingsStore& store_;
    CheckChangedHook hook_;
    std::array<bool, 6> checked_{};
    bool minimizeEnabled_ = true;
};

} // namespace corvane
