#include "core/addr/inet.h"

#include <cstring>

namespace corvane {

std::uint32_t ToNetworkOrder(std::uint32_t hostOrder) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(hostOrder >> 24), static_cast<std::uint8_t>(hostOrder >> 16),
        static_cast<std::uint8_t>(hostOrder >> 8), static_cast<std::uint8_t>(hostOrder)};
    std::uint32_t value;
    std::memcpy(&value, bytes, 4);
    return value;
}

std::uint32_t ToHostOrder(std::uint32_t networkOrder) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &networkOrder, 4);
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 |
           std::uint32_t(bytes[2]) << 8 | std::uint32_t(bytes[3]);
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

std::uint32_t InetAddr(std::string_view text) {
    std::uint64_t parts[4];
    int count = 0;
    std::size_t i = 0;
    for (;;) {
        if (i >= text.size() || DigitValue(text[i]) > 9)
            return kInaddrNone; // every part starts with a decimal digit
        unsigned base = 10;
        if (text[i] == '0') {
            base = 8;
            ++i;
            if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
                base = 16;
                ++i;
            }
        }
        std::uint64_t value = 0;
        bool digits = base == 8; // the leading 0 alone is a digit
        while (i < text.size()) {
            int d = DigitValue(text[i]);
            if (d >= static_cast<int>(base))
                break;
            value = value * base + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFu)
                return kInaddrNone;
            digits = true;
            ++i;
        }
        if (!digits)
            return kInaddrNone;
        if (count == 4)
            return kInaddrNone;
        parts[count++] = value;
        if (i < text.size() && text[i] == '.') {
            ++i;
            continue;
        }
        if (i < text.size() && !IsBlank(text[i]))
            return kInaddrNone;
        break;
    }
    std::uint64_t host = 0;
    switch (count) {
    case 1:
        host = parts[0];
        break;
    case 2:
        if (parts[0] > 0xFF || parts[1] > 0xFFFFFF)
            return kInaddrNone;
        host = parts[0] << 24 | parts[1];
        break;
    case 3:
        if (parts[0] > 0xFF || parts[1] > 0xFF || parts[2] > 0xFFFF)
            return kInaddrNone;
        host = parts[0] << 24 | parts[1] << 16 | parts[2];
        break;
    default:
        for (int k = 0; k < 4; ++k) {
            if (parts[k] > 0xFF)
                return kInaddrNone;
        }
        host = parts[0] << 24 | parts[1] << 16 | parts[2] << 8 | parts[3];
        break;
    }
    return ToNetworkOrder(static_cast<std::uint32_t>(host));
}

std::string DottedQuadAt(const std::uint8_t* p) {
    std::string text;
    text.reserve(15);
    for (int k = 0; k < 4; ++k) {
        if (k)
            text += '.';
        unsigned v = p[k];
        if (v >= 100)
            text += static_cast<char>('0' + v / 100);
        if (v >= 10)
            text += static_cast<char>('0' + v / 10 % 10);
        text += static_cast<char>('0' + v % 10);
    }
    return text;
}

std::string InetNtoa(std::uint32_t networkOrder) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &networkOrder, 4);
    return DottedQuadAt(bytes);
}

} // namespace corvane
