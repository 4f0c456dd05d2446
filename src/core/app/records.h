#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The main window's list of record lines, in file order; the master copy.
using ConfigLines = std::vector<std::string>;

inline constexpr const char* kAddressFileName = "ipfile.csv";

// Index of the first stored record that `record` duplicates, or -1.
// `multipleAllowed` is the "Allow Multiple Addresses" option.
int FindDuplicate(const ConfigLines& lines, std::string_view record, bool multipleAllowed);

// Appends the accepted records of the address file at `path` to `lines`.
// False when the file cannot be opened.
bool LoadAddressFile(ConfigLines& lines, bool multipleAllowed,
                     const std::string& path = kAddressFileName);

// The file's bytes: the banner, then one CR LF line per entry.
std::string AddressFileText(const ConfigLines& lines);

} // namespace corvane
