// Times the reads behind the tools window's refresh on the running system:
// prints the median and the slowest of N runs for each, in microseconds.
// Usage: platform_bench [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "core/setup/adapter_info.h"
#include "core/setup/tables.h"
#include "platform/local_time.h"
#include "platform/platform.h"

using namespace corvane;

namespace {

void Time(const char* what, int runs, const std::function<std::size_t()>& read) {
    std::vector<double> us;
    std::size_t items = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        items = read();
        auto end = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(us.begin(), us.end());
    std::printf("%-34s items %3zu  median %9.1f us  max %9.1f us\n", what, items, us[us.size() / 2],
                us.back());
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    auto p = CreateSystemPlatform();
    Time("adapter list (GetAdaptersInfo)", runs, [&] {
        std::vector<AdapterRecord> a;
        p->ipHelper->GetAdaptersInfo(a);
        return a.size();
    });
    Time("full adapter refresh", runs, [&] {
        return ReadAdapterInfo(*p->ipHelper, *p->connectionNames, false, &ToLocalTime)
            .summaries.size();
    });
    Time("interface table", runs, [&] { return ReadInterfaceTable(*p->ipHelper).rows.size(); });
    Time("route table", runs, [&] { return ReadRouteTable(*p->ipHelper).rows.size(); });
    return 0;
}
