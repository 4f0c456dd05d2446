#pragma once
#include <cstdint>
#include <optional>

namespace corvane {

struct CivilTime {
    int year = 0;  // e.g. 2004
    int month = 0; // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since 1970 (UTC) in the machine's local time zone; nullopt when the
// system cannot convert it.
std::optional<CivilTime> ToLocalTime(std::int64_t secondsSince1970);

} // namespace corvane
