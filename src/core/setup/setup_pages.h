#pragma once
#include <string>
#include <vector>

#include "core/setup/settings.h"

namespace corvane {

// The tools window's rules that need no window.

// Its pages, in order.
enum SetupPage : int {
    kPageSetup = 0,
    kPageApipa = 1,
    kPageIpSettings = 2,
    kPageInterfaces = 3,
    kPageRoutes = 4,
};
inline constexpr int kSetupPageCount = 5;

// The help context of a page: 3000, 3100, ... 3400.
int SetupHelpContext(int page);

// Whether every entry of the hide list is checked. The main list must keep at
// least one connection, so a click that makes this true is undone.
bool AllInterfacesHidden(const std::vector<CheckListEntry>& entries);

// Moves entry `index` one place: step -1 up, +1 down. Returns the entry's new
// index, or -1 (and leaves the list alone) when there is no such entry or it
// is already at that end.
int MoveEntry(std::vector<std::string>& list, int index, int step);

} // namespace corvane
