#include "core/addr/ip.h"

#include <bit>
#include <cstdio>

namespace corvane {

void ip::assign(std::string_view text) {
    valid_ = false;
    if (text.size() >= 16)
        return; // too long for the text field: keep the old text and flags
    text_ = std::string(text);
    valid_ = parse();
}

void ip::assignValue(uint32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(value >> 24),
                  static_cast<unsigned long>((value >> 16) & 0xFF),
                  static_cast<unsigned long>((value >> 8) & 0xFF),
                  static_cast<unsigned long>(value & 0xFF));
    text_ = buf;
    valid_ = parse();
}

void ip::applyMask(std::string_view maskText) {
    assignValue(value() & ip(maskText).value());
}

uint32_t ip::networkValue() const {
    uint32_t v = value();
    if constexpr (std::endian::native == std::endian::little)
        return ((v & 0xFF) << 24) | ((v & 0xFF00) << 8) | ((v >> 8) & 0xFF00) | (v >> 24);
    return v;
}

bool ip::parse() {
    isHost_ = isMask_ = isMaskLike_ = isLoopback_ = isClassA_ = isClassB_ = isClassC_ = false;
    isZero_ = true;

    int points = 0;
    for (char c : text_) {
        if (c == '.')
            ++points;
        else if (c < '0' || c > '9')
            return false;
    }
    if (points != 3)
        return false;

    uint32_t v = 0;
    size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        size_t end = text_.find('.', start);
        if (end == std::string::npos)
            end = text_.size();
        if (end == start)
            return false;
        // At most 15 characters in all, so a part fits easily.
        uint64_t n = 0;
        for (size_t i = start; i < end; ++i)
            n = n * 10 + static_cast<unsigned>(text_[i] - '0');
        if (n > 255)
            return false;
        v = (v << 8) | static_cast<uint32_t>(n);
        start = end + 1;
    }
    value_ = v;
    classify();
    return true;
}

void ip::classify() {
    const uint32_t v = value_;
    const uint32_t inverted = ~v;
    const bool mask = v >= 0xFF000000u && v != 0xFFFFFFFEu && (inverted & (inverted + 1)) == 0;
    const bool wildcard = (v >> 24) == 0 && v != 0 && (v & (v + 1)) == 0;
    const bool allOnes = v == 0xFFFFFFFFu;

    isMask_ = mask;
    isZero_ = v == 0;
    isHost_ = !(mask || wildcard || allOnes);
    isMaskLike_ = !isHost_ && !isZero_;
    isLoopback_ = (v & 0x7F000000u) == 0x7F000000u && !isMaskLike_;
    isClassA_ = v > 0 && v < 0x7F000000u;
    isClassB_ = (v >> 30) == 2;
    isClassC_ = (v >> 29) == 6;
}

iphost::iphost(std::string_view address, std::string_view mask)
    : ip(address), mask_(mask), network_(text()) {
    network_.applyMask(mask_.text());
    broadcast_.assignValue(network_.value() + ~mask_.value());
    valid_ = mask_.valid() && ip::valid();
}

bool ipnetwork::contains(const ip& address) const {
    return address.valid() && valid() && (address.value() & mask()) == network();
}

bool IsValidHostAddress(std::string_view text) {
    return ip(text).isHost();
}
bool IsValidSubnetMask(std::string_view text) {
    return ip(text).isMask();
}
bool IsAcceptableNetworkMask(std::string_view text) {
    return ip(text).isMaskLike();
}

bool IsUsableSystemAddress(std::string_view text) {
    ip a(text);
    return !a.isZero() && !a.isLoopback();
}

bool IsAddressPresent(std::string_view text) {
    return !ip(text).isZero();
}

std::string ClassfulDefaultMask(std::string_view address) {
    ip a(address);
    if (a.isClassA())
        return "255.0.0.0";
    if (a.isClassB())
        return "255.255.0.0";
    if (a.isClassC())
        return "255.255.255.0";
    return {};
}

bool IsGatewayInRange(std::string_view gateway, std::string_view address, std::string_view mask) {
    ip gw(gateway);
    ipnetwork net(address, mask);
    return gw.isHost() && net.contains(gw) && gw.value() != net.network() &&
           gw.value() != net.broadcast();
}

} // namespace corvane
