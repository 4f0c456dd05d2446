#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr const char* kHelpFileName = "corvane.hlp";

// One page of the help file. A page opens with a line
//   [context 3000 3010] Title
// (one or more context numbers) and runs to the next such line. Lines that
// start with "#" before the first page are comments.
struct HelpTopic {
    std::vector<int> contexts;
    std::string title;
    std::string body; // lines joined by "\n", blank lines at both ends dropped
};

std::vector<HelpTopic> ParseHelpFile(std::string_view text);

// A page body as it is shown: paragraphs (lines joined with blanks), and
// indented lines kept as they are, for tables of keys and options.
struct HelpBlock {
    bool preformatted = false;
    std::string text;
};
std::vector<HelpBlock> HelpBlocks(std::string_view body);

// The page for a context: the one that names it, else the page with the
// highest context below it in the same thousand (3010 falls back to 3000),
// else the first page. Null only for an empty file.
const HelpTopic* FindHelpTopic(const std::vector<HelpTopic>& topics, int context);

// The file's pages; nullopt when it cannot be read.
std::optional<std::vector<HelpTopic>> LoadHelpFile(const std::string& path);

} // namespace corvane
