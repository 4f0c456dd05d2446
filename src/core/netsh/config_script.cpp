#include "core/netsh/config_script.h"

#include "core/app/tokenizer.h"

namespace corvane {
namespace {

// The DNS and WINS lines share one shape; only the keyword differs.
void AddServerLine(std::vector<std::string>& lines, const std::string& kind,
                   const std::string& name, const std::string& value) {
    const std::string d = TrimControls(value);
    if (d == "dhcp")
        lines.push_back("interface ip set " + kind + " name = \"" + name + "\" source = " + value);
    else if (!d.empty())
        lines.push_back("interface ip set " + kind + " name = \"" + name +
                        "\" source = static addr = " + value);
    else
        lines.push_back("del " + kind + " \"" + name + "\" all");
}

} // namespace

std::vector<std::string> BuildConfigScript(std::string_view record) {
    tokenizer t(record, ',');
    const int n = t.count();
    const std::string address = t.field(1), name = t.field(4);
    const std::string prefix = "interface ip set add name = \"" + name + "\"";

    std::vector<std::string> lines;
    if (address == "dhcp") {
        lines.push_back(prefix + " source = dhcp");
    } else {
        lines.push_back(prefix + " source = static addr = " + address + " mask = " + t.field(2));
        const std::string gateway = t.field(3);
        if (gateway.size() > 1)
            lines.push_back(prefix + " gateway = " + gateway + " gwmetric = 1");
    }
    if (n >= 6)
        AddServerLine(lines, "dns", name, t.field(6));
    if (n == 7)
        AddServerLine(lines, "wins", name, t.field(7));
    return lines;
}

} // namespace corvane
