#include "core/setup/settings.h"

#include "core/app/ascii.h"
#include "core/setup/registry_exception.h"

#include <algorithm>
#include <memory>

namespace corvane {

namespace names = settings_names;

std::string settings_names::HiddenIf(int n) {
    return "HiddenIf" + std::to_string(n);
}
std::string settings_names::Caption(int n) {
    return "C" + std::to_string(n);
}
std::string settings_names::Width(int n) {
    return "W" + std::to_string(n);
}

namespace {

size_t Index(SettingsOption box) {
    return static_cast<size_t>(box);
}

} // namespace

// The settings key for one operation, with the registry's reading rules. A
// key that could not be opened fails every access.
class Settings::Key {
  public:
    explicit Key(SettingsStore& store) {
        auto opened =
            store.OpenKey(StoreRoot::LocalMachine, names::kKey, KeyAccess::CreateAllAccess);
        if (opened.ok())
            key_ = std::move(opened.value);
    }
    ~Key() {
        if (key_)
            key_->Close();
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool opened() const { return key_ != nullptr; }

    std::int32_t ReadInteger(std::string_view name) {
        if (!key_)
            throw ERegistryException(ReadErrorText(StoreStatus::Failed, name));
        auto r = key_->ReadDword(name);
        if (!r.ok())
            throw ERegistryException(ReadErrorText(r.error.status, name));
        return static_cast<std::int32_t>(r.value);
    }

    bool ReadBool(std::string_view name) { return ReadInteger(name) != 0; }

    // A missing text reads as empty; any other failure throws.
    std::string ReadText(std::string_view name) {
        if (!key_)
            throw ERegistryException(ReadErrorText(StoreStatus::Failed, name));
        auto r = key_->ReadString(name);
        if (r.error.status == StoreStatus::NotFound)
            return {};
        if (!r.ok())
            throw ERegistryException(ReadErrorText(r.error.status, name));
        return r.value;
    }

    void WriteInteger(std::string_view name, std::int32_t value) {
        if (!key_ || !key_->WriteDword(name, static_cast<std::uint32_t>(value)).ok())
            throw ERegistryException(WriteErrorText(name));
    }

    void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

    void WriteText(std::string_view name, std::string_view value) {
        if (!key_ || !key_->WriteString(name, value).ok())
            throw ERegistryException(WriteErrorText(name));
    }

  private:
    std::unique_ptr<StoreKey> key_;
};

Settings::Settings(SettingsStore& store) : store_(store) {
    checked_[Index(SettingsOption::cbEnableHints)] = true;
    lbColumnOrder.assign(kDefaultColumnCaptions.begin(), kDefaultColumnCaptions.end());
}

bool Settings::Checked(SettingsOption box) const {
    return checked_[Index(box)];
}

void Settings::SetChecked(SettingsOption box, bool checked) {
    if (checked_[Index(box)] == checked)
        return;
    checked_[Index(box)] = checked;
    if (hook_)
        hook_(box, checked);
}

void Settings::LoadSettings() {
    bool failed = false;
    {
        Key key(store_);
        if (key.opened()) {
            try {
                failed = !ReadAll(key);
            } catch (const ERegistryException&) {
                failed = true;
            }
        }
    }
    if (failed) {
        try {
            WriteDefaultSettings();
        } catch (const ERegistryException&) {
            // The defaults are in memory; the hidden connections still belong there.
            LoadHiddenInterfaces();
            throw;
        }
    }
    LoadHiddenInterfaces();
}

// False when a caption is empty; throws on a missing or mistyped value.
bool Settings::ReadAll(Key& key) {
    using enum SettingsOption;
    lbColumnOrder.clear();
    for (int n = 0; n < kColumnCount; ++n) {
        std::string caption = key.ReadText(names::Caption(n));
        if (caption.empty())
            return false;
        lbColumnOrder.push_back(std::move(caption));
    }
    ColumnOrder = key.ReadText(names::kColumnOrder);
    SetChecked(cbMultipleIP, key.ReadBool(names::kAllowMultipleAddresses));
    SetChecked(DontCloseCheckBox, key.ReadBool(names::kDoNotClose));
    SetChecked(cbMinimize, key.ReadBool(names::kMinimize));
    minimizeEnabled_ = Checked(DontCloseCheckBox);
    SetChecked(cbClassfulSubnets, key.ReadBool(names::kClassBasedSubnetMask));
    SetChecked(cbAutoUpdate, key.ReadBool(names::kAutoNetworkCheck));
    SetChecked(cbEnableHints, key.ReadBool(names::kEnableHints));
    OptionFlags = static_cast<std::uint32_t>(key.ReadInteger(names::kOptionFlags));

    PingTimeout = key.ReadInteger(names::kPingTimeout);
    if (PingTimeout > 5000 || PingTimeout < 10) {
        PingTimeout = 2000;
        key.WriteInteger(names::kPingTimeout, PingTimeout);
    }
    PingCount = key.ReadInteger(names::kPingCount);
    if (PingCount > 10 || PingCount < 1) {
        PingCount = 5;
        key.WriteInteger(names::kPingCount, PingCount);
    }
    NicAutoUpdateInterval = key.ReadInteger(names::kNicAutoUpdateInterval);
    if (NicAutoUpdateInterval > 5000 || NicAutoUpdateInterval < 250) {
        NicAutoUpdateInterval = 250;
        key.WriteInteger(names::kNicAutoUpdateInterval, NicAutoUpdateInterval);
    }
    DeleteScript = key.ReadBool(names::kDeleteScript);
    return true;
}

void Settings::WriteDefaultSettings() {
    // Memory first: a refused write must not leave the program with a zero
    // ping time-out or timer interval.
    PingTimeout = 2000;
    PingCount = 3;
    NicAutoUpdateInterval = 250;
    lbColumnOrder.assign(kDefaultColumnCaptions.begin(), kDefaultColumnCaptions.end());
    ColumnOrder = kDefaultColumnOrder;

    Key key(store_);
    key.WriteBool(names::kAllowMultipleAddresses, false);
    key.WriteBool(names::kDoNotClose, false);
    key.WriteBool(names::kMinimize, false);
    key.WriteBool(names::kClassBasedSubnetMask, false);
    key.WriteBool(names::kEnableHints, true);
    key.WriteBool(names::kAutoNetworkCheck, false);
    key.WriteInteger(names::kHiddenInterfaces, 0);
    key.WriteInteger(names::kPingTimeout, PingTimeout);
    key.WriteInteger(names::kPingCount, PingCount);
    key.WriteInteger(names::kNicAutoUpdateInterval, NicAutoUpdateInterval);
    key.WriteBool(names::kDeleteScript, true);
    key.WriteInteger(names::kOptionFlags, 31);
    for (int n = 0; n < kColumnCount; ++n)
        key.WriteText(names::Caption(n), lbColumnOrder[static_cast<size_t>(n)]);
    key.WriteText(names::kColumnOrder, ColumnOrderText());
}

namespace {

// Entry n of the caption list; a short list reads as empty captions, which
// the next load answers with the defaults.
std::string_view CaptionAt(const std::vector<std::string>& list, int n) {
    return static_cast<size_t>(n) < list.size() ? std::string_view(list[static_cast<size_t>(n)])
                                                : std::string_view();
}

} // namespace

void Settings::SaveSettings() {
    using enum SettingsOption;
    Key key(store_);
    int count = 0;
    for (const auto& entry : lbHideInterface)
        if (entry.checked)
            key.WriteText(names::HiddenIf(count++), entry.text);
    for (int n = 0; n < kColumnCount; ++n)
        key.WriteText(names::Caption(n), CaptionAt(lbColumnOrder, n));
    key.WriteText(names::kColumnOrder, ColumnOrderText());
    key.WriteInteger(names::kHiddenInterfaces, count);
    key.WriteBool(names::kAllowMultipleAddresses, Checked(cbMultipleIP));
    key.WriteBool(names::kDoNotClose, Checked(DontCloseCheckBox));
    key.WriteBool(names::kMinimize, Checked(cbMinimize));
    key.WriteBool(names::kClassBasedSubnetMask, Checked(cbClassfulSubnets));
    key.WriteBool(names::kAutoNetworkCheck, Checked(cbAutoUpdate));
    key.WriteBool(names::kEnableHints, Checked(cbEnableHints));
    key.WriteInteger(names::kOptionFlags, static_cast<std::int32_t>(OptionFlags));
}

void Settings::SaveColumnOrder() {
    Key key(store_);
    for (int n = 0; n < kColumnCount; ++n)
        key.WriteText(names::Caption(n), CaptionAt(lbColumnOrder, n));
    key.WriteText(names::kColumnOrder, ColumnOrderText());
}

void Settings::ResetColumnOrder() {
    ColumnOrder = kDefaultColumnOrder;
    if (lbColumnOrder.size() < kDefaultColumnCaptions.size())
        lbColumnOrder.resize(kDefaultColumnCaptions.size());
    for (size_t n = 0; n < kDefaultColumnCaptions.size(); ++n)
        lbColumnOrder[n] = kDefaultColumnCaptions[n];
}

std::string Settings::ColumnOrderText() const {
    static constexpr std::pair<std::string_view, char> kDigits[] = {
        {"IP", '1'}, {"Ne", '2'}, {"De", '3'}, {"In", '4'}, {"Re", '5'}};
    std::string text;
    for (int n = 0; n < kColumnCount; ++n) {
        std::string_view start = CaptionAt(lbColumnOrder, n).substr(0, 2);
        for (const auto& [prefix, digit] : kDigits)
            if (start == prefix)
                text += digit;
    }
    return text;
}

void Settings::SaveOptionFlags() {
    Key key(store_);
    key.WriteInteger(names::kOptionFlags, static_cast<std::int32_t>(OptionFlags));
}

void Settings::LoadColumnWidths(ColumnWidths& widths) {
    Key key(store_);
    try {
        for (int n = 0; n < kColumnCount; ++n)
            widths[static_cast<size_t>(n)] = key.ReadInteger(names::Width(n));
    } catch (const ERegistryException&) {
        // The remaining columns keep their widths.
    }
}

void Settings::SaveColumnWidths(const ColumnWidths& widths) {
    Key key(store_);
    for (int n = 0; n < kColumnCount; ++n)
        key.WriteInteger(names::Width(n), widths[static_cast<size_t>(n)]);
}

void Settings::LoadHiddenInterfaces() {
    Key key(store_);
    try {
        const int count = key.opened() ? key.ReadInteger(names::kHiddenInterfaces) : 0;
        for (int i = 0; i < count; ++i) {
            std::string text = key.ReadText(names::HiddenIf(i));
            auto same = [&](const CheckListEntry& e) { return EqualNoCase(e.text, text); };
            auto it = std::find_if(lbHideInterface.begin(), lbHideInterface.end(), same);
            if (it == lbHideInterface.end())
                lbHideInterface.push_back({std::move(text), true});
            else
                it->checked = true;
        }
    } catch (const ERegistryException&) {
        // Ends silently; the entries handled so far stay.
    }
}

} // namespace corvane
