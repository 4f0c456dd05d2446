#pragma once
// What every back end must report about a machine whose configuration the
// test knows. Include in a test file, then write
//   CORVANE_PLATFORM_CONTRACT(SuiteName, MakeSubject)
// where MakeSubject() returns a ContractSubject.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/addr/ip.h"
#include "platform/platform.h"

namespace corvane::contract {

struct ExpectedAdapter {
    std::string name{}; // AdapterName
    std::string connection{};
    std::string ip = "0.0.0.0";
    std::string mask = "0.0.0.0";
    std::string gateway{};
    bool dhcp = false;
    std::string dhcpServer{};
    std::vector<std::uint8_t> mac{};
    std::uint32_t type = 6;
    std::uint32_t operStatus = 5;
};

struct ExpectedRoute {
    std::string dest{}, mask{}, nextHop{};
    std::string adapter{};    // the adapter's name
    std::int32_t metric = -1; // -1: any
};

struct ContractSubject {
    std::shared_ptr<Platform> platform;
    std::vector<ExpectedAdapter> adapters; // all non-loopback adapters, in order
    std::vector<ExpectedRoute> routes;     // a subset of the route table
    std::vector<std::string> hostAddresses;
    std::vector<std::string> dns;
};

inline std::vector<AdapterRecord> ReadAdapters(Platform& p) {
    std::vector<AdapterRecord> adapters;
    EXPECT_EQ(p.ipHelper->GetAdaptersInfo(adapters), kSuccess);
    return adapters;
}

inline const AdapterRecord* FindAdapter(const std::vector<AdapterRecord>& all,
                                        const std::string& name) {
    for (const auto& a : all)
        if (a.AdapterName == name)
            return &a;
    return nullptr;
}

inline void CheckAdapters(const ContractSubject& s) {
    auto adapters = ReadAdapters(*s.platform);
    ASSERT_EQ(adapters.size(), s.adapters.size());
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        const AdapterRecord& a = adapters[i];
        const ExpectedAdapter& e = s.adapters[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(a.AdapterName, e.name);
        EXPECT_EQ(a.IpAddress, e.ip);
        EXPECT_EQ(a.IpMask, e.mask);
        EXPECT_EQ(a.Gateway, e.gateway);
        EXPECT_EQ(a.DhcpEnabled != 0, e.dhcp);
        EXPECT_EQ(a.Type, e.type);
        if (e.dhcp) {
            EXPECT_EQ(a.DhcpServer, e.dhcpServer);
            EXPECT_GT(a.LeaseExpires, a.LeaseObtained);
        }
        if (!e.mac.empty()) {
            ASSERT_EQ(a.AddressLength, e.mac.size());
            EXPECT_TRUE(std::equal(e.mac.begin(), e.mac.end(), a.Address.begin()));
        }
        EXPECT_NE(a.Type, 24u) << "loopback is no adapter";
    }
}

inline void CheckIndicesAgree(const ContractSubject& s) {
    auto adapters = ReadAdapters(*s.platform);
    std::vector<AdapterIndexMap> map;
    ASSERT_EQ(s.platform->ipHelper->GetInterfaceInfo(map), kSuccess);
    std::vector<IfRow> rows;
    ASSERT_EQ(s.platform->ipHelper->GetIfTable(rows, true), kSuccess);
    for (const auto& a : adapters) {
        SCOPED_TRACE(a.AdapterName);
        EXPECT_EQ(std::count_if(adapters.begin(), adapters.end(),
                                [&](const AdapterRecord& b) { return b.Index == a.Index; }),
                  1);
        EXPECT_EQ(std::count_if(map.begin(), map.end(),
                                [&](const AdapterIndexMap& m) { return m.Index == a.Index; }),
                  1);
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const IfRow& r) { return r.dwIndex == a.Index; });
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(row->dwType, a.Type);
        EXPECT_EQ(row->dwPhysAddrLen, a.AddressLength);
        EXPECT_TRUE(std::equal(a.Address.begin(), a.Address.begin() + a.AddressLength,
                               row->bPhysAddr.begin()));
        IfRow entry;
        entry.dwIndex = a.Index;
        ASSERT_EQ(s.platform->ipHelper->GetIfEntry(entry), kSuccess);
        EXPECT_EQ(entry.dwOperStatus, row->dwOperStatus);
    }
}

inline void CheckIfTable(const ContractSubject& s) {
    std::vector<IfRow> rows;
    ASSERT_EQ(s.platform->ipHelper->GetIfTable(rows, true), kSuccess);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const IfRow& a, const IfRow& b) {
        return a.dwIndex < b.dwIndex;
    }));
    auto adapters = ReadAdapters(*s.platform);
    for (const ExpectedAdapter& e : s.adapters) {
        SCOPED_TRACE(e.name);
        const AdapterRecord* a = FindAdapter(adapters, e.name);
        ASSERT_NE(a, nullptr);
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const IfRow& r) { return r.dwIndex == a->Index; });
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(row->dwOperStatus, e.operStatus);
        EXPECT_LE(row->dwPhysAddrLen, 8u);
        EXPECT_LE(row->dwDescrLen, 256u);
    }
}

inline void CheckRoutes(const ContractSubject& s) {
    std::vector<ForwardRow> rows;
    ASSERT_EQ(s.platform->ipHelper->GetIpForwardTable(rows, true), kSuccess);
    EXPECT_TRUE(
        std::is_sorted(rows.begin(), rows.end(), [](const ForwardRow& a, const ForwardRow& b) {
            return HostOrder(a.dwForwardDest) < HostOrder(b.dwForwardDest);
        }));
    auto adapters = ReadAdapters(*s.platform);
    for (const ExpectedRoute& e : s.routes) {
        SCOPED_TRACE(e.dest + "/" + e.mask + " via " + e.nextHop);
        const AdapterRecord* a = FindAdapter(adapters, e.adapter);
        ASSERT_NE(a, nullptr);
        auto row = std::find_if(rows.begin(), rows.end(), [&](const ForwardRow& r) {
            return ip(HostOrder(r.dwForwardDest)).text() == e.dest &&
                   ip(HostOrder(r.dwForwardMask)).text() == e.mask &&
                   ip(HostOrder(r.dwForwardNextHop)).text() == e.nextHop &&
                   r.dwForwardIfIndex == a->Index;
        });
        ASSERT_NE(row, rows.end());
        if (e.metric >= 0) {
            EXPECT_EQ(row->dwForwardMetric1, e.metric);
        }
    }
}

inline void CheckPerAdapter(const ContractSubject& s) {
    auto adapters = ReadAdapters(*s.platform);
    std::uint32_t unused = 1;
    for (const auto& a : adapters) {
        SCOPED_TRACE(a.AdapterName);
        unused = std::max(unused, a.Index + 1);
        PerAdapterInfo info;
        ASSERT_EQ(s.platform->ipHelper->GetPerAdapterInfo(a.Index, info), kSuccess);
        EXPECT_EQ(info.AutoconfigEnabled, 1u) << "nothing stored means enabled";
        EXPECT_EQ(info.DnsServerList, s.dns);
    }
    std::vector<IfRow> rows;
    ASSERT_EQ(s.platform->ipHelper->GetIfTable(rows, false), kSuccess);
    for (const auto& r : rows)
        unused = std::max(unused, r.dwIndex + 1);
    PerAdapterInfo info;
    EXPECT_NE(s.platform->ipHelper->GetPerAdapterInfo(unused, info), kSuccess);
    IfRow entry;
    entry.dwIndex = unused;
    EXPECT_NE(s.platform->ipHelper->GetIfEntry(entry), kSuccess);
}

inline void CheckConnectionNames(const ContractSubject& s) {
    for (const ExpectedAdapter& e : s.adapters)
        EXPECT_EQ(s.platform->connectionNames->ConnectionNameOf(e.name), e.connection) << e.name;
    EXPECT_EQ(s.platform->connectionNames->ConnectionNameOf("no-such-adapter"), "");
}

inline void CheckHost(const ContractSubject& s) {
    std::string name{};
    ASSERT_EQ(s.platform->hostInfo->HostName(name), kSuccess);
    EXPECT_FALSE(name.empty());
    std::vector<std::string> addresses;
    ASSERT_EQ(s.platform->hostInfo->HostAddresses(addresses), kSuccess);
    EXPECT_EQ(addresses, s.hostAddresses);
}

inline void CheckErrorTexts(const ContractSubject& s) {
    EXPECT_EQ(s.platform->ipHelper->BindingReport(), 0u);
    EXPECT_FALSE(s.platform->ipHelper->ErrorText(kNotBound).has_value());
}

} // namespace corvane::contract

#define CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, Check)                                         \
    TEST(Suite, Check) {                                                                           \
        ::corvane::contract::Check(Make());                                                        \
    }

#define CORVANE_PLATFORM_CONTRACT(Suite, Make)                                                     \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckAdapters)                                     \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckIndicesAgree)                                 \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckIfTable)                                      \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckRoutes)                                       \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckPerAdapter)                                   \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckConnectionNames)                              \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckHost)                                         \
    CORVANE_PLATFORM_CONTRACT_TEST(Suite, Make, CheckErrorTexts)
