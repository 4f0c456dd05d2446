#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/net_config.h"

namespace corvane {

using ShellOutput = std::function<void(const std::string& line)>;

// Runs a network shell script against the machine. Every line is read and
// every connection found before anything changes; a line that fails puts
// every connection the script touched back as it was. Returns 0 when every
// line was applied, 1 otherwise; `say` gets the shell's messages.
int RunShellScript(std::string_view script, NetConfig& target, const ShellOutput& say);

} // namespace corvane
