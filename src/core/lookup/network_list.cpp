#include "core/lookup/network_list.h"

namespace corvane {

bool NetworkList::AddUnlessListed(std::string_view address, std::string_view mask,
                                  std::string_view protocol) {
    std::string key(address);
    key += '\n';
    key += protocol.starts_with("RIP") ? std::string_view("RIP") : protocol;
    if (!keys_.insert(std::move(key)).second)
        return false;
    rows_.push_back({std::string(address), std::string(mask), std::string(protocol)});
    return true;
}

void NetworkList::Clear() {
    rows_.clear();
    keys_.clear();
}

} // namespace corvane
