#include "platform/address_file.h"

#include "platform/atomic_file.h"

namespace corvane {

bool SaveAddressFile(const ConfigLines& lines, const std::string& path, std::string* error) {
    return WriteFileAtomic(path, AddressFileText(lines), error);
}

} // namespace corvane
