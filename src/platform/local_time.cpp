#include "platform/local_time.h"

#include <ctime>

namespace corvane {

std::optional<CivilTime> ToLocalTime(std::int64_t secondsSince1970) {
    const std::time_t t = static_cast<std::time_t>(secondsSince1970);
    if (static_cast<std::int64_t>(t) != secondsSince1970)
        return std::nullopt;
    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &t) != 0)
        return std::nullopt;
#else
    if (localtime_r(&t, &tm) == nullptr)
        return std::nullopt;
#endif
    return CivilTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                     tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

} // namespace corvane
