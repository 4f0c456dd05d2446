#include "core/setup/setup_pages.h"

#include <algorithm>
#include <utility>

namespace corvane {

int SetupHelpContext(int page) {
    return 3000 + 100 * page;
}

bool AllInterfacesHidden(const std::vector<CheckListEntry>& entries) {
    return std::all_of(entries.begin(), entries.end(),
                       [](const CheckListEntry& entry) { return entry.checked; });
}

int MoveEntry(std::vector<std::string>& list, int index, int step) {
    const int size = static_cast<int>(list.size());
    const int target = index + step;
    if ((step != -1 && step != 1) || index < 0 || index >= size || target < 0 || target >= size)
        return -1;
    std::swap(list[static_cast<std::size_t>(index)], list[static_cast<std::size_t>(target)]);
    return target;
}

} // namespace corvane
