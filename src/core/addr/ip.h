#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// A dotted-quad IPv4 address: its text as given, its value (first octet most
// significant) and its classification. Never throws; an unparsable text is
// simply not valid and reads as 0.0.0.0.
class ip {
  public:
    ip() = default;
    explicit ip(std::string_view text) { assign(text); }
    explicit ip(uint32_t value) { assignValue(value); }

    void assign(std::string_view text);
    void assignValue(uint32_t value);
    void applyMask(std::string_view maskText);

    std::string text() const { return valid_ ? text_ : "0.0.0.0"; }
    uint32_t value() const { return valid_ ? value_ : 0; }
    uint32_t networkValue() const; // first octet first in memory

    bool valid() const { return valid_; }
    bool isHost() const { return isHost_; }
    bool isZero() const { return isZero_; }
    bool isMask() const { return isMask_; }
    bool isMaskLike() const { return isMaskLike_; }
    bool isLoopback() const { return isLoopback_; }
    bool isClassA() const { return isClassA_; }
    bool isClassB() const { return isClassB_; }
    bool isClassC() const { return isClassC_; }

  private:
    bool parse();
    void classify();

    std::string text_ = "0.0.0.0";
    uint32_t value_ = 0;
    bool valid_ = false;
    bool isHost_ = false, isZero_ = false, isMask_ = false, isMaskLike_ = false;
    bool isLoopback_ = false, isClassA_ = false, isClassB_ = false, isClassC_ = false;
};

// An address with its mask, and the network and broadcast they span.
class iphost : public ip {
  public:
    iphost(std::string_view address, std::string_view mask);

    uint32_t mask() const { return mask_.value(); }
    uint32_t network() const { return network_.value(); }
    uint32_t broadcast() const { return broadcast_.value(); }
    bool valid() const { return valid_; }

  private:
    ip mask_, network_, broadcast_;
    bool valid_ = false;
};

class ipnetwork : public iphost {
  public:
    using iphost::iphost;
    bool contains(std::string_view address) const { return contains(ip(address)); }
    bool contains(const ip& address) const;
};

// The named checks the dialog, the file reader and start-up share.
bool IsValidHostAddress(std::string_view text);
bool IsValidSubnetMask(std::string_view text);
bool IsAcceptableNetworkMask(std::string_view text);
bool IsUsableSystemAddress(std::string_view text);
bool IsAddressPresent(std::string_view text);
// "255.0.0.0", "255.255.0.0", "255.255.255.0", or empty for any other address.
std::string ClassfulDefaultMask(std::string_view address);
bool IsGatewayInRange(std::string_view gateway, std::string_view address, std::string_view mask);

} // namespace corvane
