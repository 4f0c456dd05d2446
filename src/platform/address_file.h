#pragma once
#include "core/app/records.h"

#include <string>

namespace corvane {

// Writes `lines` as the address file. The old file is replaced only once the
// new one is completely on disk, so a full disk never costs the user the list.
bool SaveAddressFile(const ConfigLines& lines, const std::string& path = kAddressFileName,
                     std::string* error = nullptr);

} // namespace corvane
