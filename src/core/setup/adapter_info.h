#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/connection_names.h"
#include "platform/ip_helper.h"
#include "platform/local_time.h"

namespace corvane {

// Image numbers of the adapter tree.
enum AdapterImage : int {
    kImageAdapter = 0,
    kImageNoConnection = 1,
    kImageItem = 2,
    kImageGroup = 3,
    kImageNoAddress = 4,
};

struct TreeNode {
    std::string text;
    int image = kImageItem;
    std::vector<TreeNode> children;
};

// Everything RefreshAdapterInfo leaves behind, for the window to show.
struct AdapterInfo {
    std::vector<TreeNode> tree;            // tvInfo
    std::vector<std::string> summaries;    // AdapterSummaries
    std::vector<std::string> displayTexts; // lbHideInterface and lbAPIPA
    std::vector<std::string> adapterNames; // AdapterNames, one per display text
    bool readFailed = false;               // the new AdapterReadFailed
    bool loadApipaChecks = false;          // lbAPIPA got entries: reload its check marks
    std::vector<SysError> shownErrors;     // codes for ShowError, in order
    bool readError = false;                // "Couldn't read adapter info."
};

using LocalTimeFunction = std::function<std::optional<CivilTime>(std::int64_t)>;

// RefreshAdapterInfo without the window. wasFailed is AdapterReadFailed before
// the refresh: a failing adapter query is reported only when it was false.
AdapterInfo ReadAdapterInfo(IpHelper& helper, ConnectionNames& names, bool wasFailed,
                            const LocalTimeFunction& toLocal);

// Pieces of the above, shared with other windows and the command line.
std::string AdapterTypeName(std::uint32_t type);   // adapter tree spelling
std::string MacText(const AdapterRecord& adapter); // always six bytes
std::string LeaseTimeText(std::int64_t seconds, const LocalTimeFunction& toLocal);
std::string SummaryLine(const AdapterRecord& adapter, const std::string& connectionName);
std::string DisplayText(const std::string& connectionName, const std::string& description);

// "Something didn't work..: " and the system's text for code; nullopt when the
// system has none (ShowError then shows nothing).
std::optional<std::string> ShowErrorText(const IpHelper& helper, SysError code);

// The binding report as the initialisation error text; empty when complete.
std::string InitErrorText(std::uint32_t bindingReport);

inline constexpr const char* kCouldntReadAdapterInfo = "Couldn't read adapter info.";

} // namespace corvane
