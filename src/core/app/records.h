#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace corvane {

// The main window's list of record lines, in file order; the master copy.
using ConfigLines = std::vector<std::string>;

inline constexpr const char* kAddressFileName = "ipfile.csv";

// Index of the first stored record that `record` duplicates, or -1.
// `multipleAllowed` is the "Allow Multiple Addresses" option.
int FindDuplicate(const ConfigLines& lines, std::string_view record, bool multipleAllowed);

// The duplicate rule over a growing list, without comparing every pair: the
// address file reader asks it once per line.
class DuplicateIndex {
  public:
    void Add(std::string_view record);
    // Whether FindDuplicate would find a duplicate of `record` among the added.
    bool HasDuplicate(std::string_view record, bool multipleAllowed) const;

  private:
    // Fields 1 to 4 joined, for the "identical" test.
    std::unordered_set<std::string> identical_;
    // Per router and connection: per mask value, the network values stored.
    std::unordered_map<std::string, std::unordered_map<uint32_t, std::unordered_set<uint32_t>>>
        networks_;
};

// Appends the accepted records of the address file at `path` to `lines`.
// False when the file cannot be opened.
bool LoadAddressFile(ConfigLines& lines, bool multipleAllowed,
                     const std::string& path = kAddressFileName);

// The file's bytes: the banner, then one CR LF line per entry.
std::string AddressFileText(const ConfigLines& lines);

} // namespace corvane
