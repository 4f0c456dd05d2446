#include "core/app/go.h"
#include "commands.h"
#include "core/app/records.h"
#include "core/app/tokenizer.h"
#include "core/setup/adapter_info.h"
#include "core/setup/registry_exception.h"
#include "core/setup/settings.h"
#include "platform/address_file.h"
#include "platform/local_time.h"
#include "platform/platform.h"

#include <cstdio>

namespace corvane::ctl {

namespace {

// The entry at a 1-based position, else the first whose remark is `selector`.
const std::string* Select(const ConfigLines& lines, const std::string& selector) {
    if (!selector.empty() && selector.find_first_not_of("0123456789") == std::string::npos) {
        const unsigned long n = std::strtoul(selector.c_str(), nullptr, 10);
        if (n >= 1 && n <= lines.size())
            return &lines[n - 1];
    }
    for (const std::string& line : lines)
        if (tokenizer(line, ',').field(5) == selector)
            return &line;
    return nullptr;
}

void Print(const UserMessage& m) {
    std::FILE* to = m.icon == MessageIcon::Information ? stdout : stderr;
    std::fprintf(to, "%s\n", m.text.c_str());
    std::fflush(to);
}

} // namespace

int Go(const Args& args) {
    if (args.empty() || args.size() > 2)
        return Usage("go");
    const std::string file = args.size() == 2 ? args[1] : kAddressFileName;
    auto platform = CreateSystemPlatform();

    Settings settings(*platform->settings);
    try {
        settings.LoadSettings();
    } catch (const ERegistryException& e) {
        Print({e.what(), "Corvane Error", MessageIcon::Warning});
    }
    ConfigLines lines;
    if (!LoadAddressFile(lines, settings.Checked(SettingsOption::cbMultipleIP), file)) {
        std::fputs("Couldn't read IP Address File.\n", stderr);
        return 1;
    }
    const std::string* record = Select(lines, args[0]);
    if (!record) {
        std::fprintf(stderr, "No entry %s in %s.\n", args[0].c_str(), file.c_str());
        return 1;
    }
    AdapterInfo adapters =
        ReadAdapterInfo(*platform->ipHelper, *platform->connectionNames, false, &ToLocalTime);

    GoCallbacks callbacks;
    callbacks.message = Print;
    callbacks.saveAddressFile = [&] { return SaveAddressFile(lines, file); };
    callbacks.showDhcpWait = [] { Print({kDhcpWaitText, "", MessageIcon::Warning}); };
    GoResult result = ExecuteGo(*record, settings, adapters.summaries, *platform, callbacks);
    return result.shell.ok() ? 0 : 1;
}

} // namespace corvane::ctl
