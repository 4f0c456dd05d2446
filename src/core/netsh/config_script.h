#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr const char* kScriptFileName = "config.cfg";

// The network shell lines that apply one configuration record.
std::vector<std::string> BuildConfigScript(std::string_view record);

} // namespace corvane
