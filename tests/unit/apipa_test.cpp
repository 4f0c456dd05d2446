#include <gtest/gtest.h>

#include "core/setup/apipa.h"
#include "platform/sim/memory_store.h"

namespace corvane {
namespace {

const std::string kAdapter = "{4D36E972-E325}";
const std::string kKey = std::string(kTcpipInterfacesKey) + kAdapter;

TEST(Apipa, ReadsMissingOrUnreadableAsEnabled) {
    struct Case {
        const char* name;
        std::function<void(MemoryStore&)> setup;
        bool enabled;
    } cases[] = {
        {"no key", [](MemoryStore&) {}, true},
        {"key without the value", [](MemoryStore& s) { s.PutDword(kKey, "Other", 0); }, true},
        {"0", [](MemoryStore& s) { s.PutDword(kKey, kApipaValueName, 0); }, false},
        {"1", [](MemoryStore& s) { s.PutDword(kKey, kApipaValueName, 1); }, true},
        {"5", [](MemoryStore& s) { s.PutDword(kKey, kApipaValueName, 5); }, true},
        {"a text", [](MemoryStore& s) { s.PutString(kKey, kApipaValueName, "0"); }, true},
        {"key refused",
         [](MemoryStore& s) {
             s.PutDword(kKey, kApipaValueName, 0);
             s.RefuseKey(kKey);
         },
         true},
    };
    for (const Case& c : cases) {
        MemoryStore s;
        c.setup(s);
        EXPECT_EQ(ReadApipaSetting(s, kAdapter), c.enabled) << c.name;
        EXPECT_EQ(s.OpenKeysNow(), 0) << c.name;
    }
}

TEST(Apipa, WritesOnlyIntoAnExistingKey) {
    MemoryStore s;
    s.PutDword(kKey, "Other", 7);
    WriteApipaSetting(s, kAdapter, false);
    EXPECT_FALSE(ReadApipaSetting(s, kAdapter));
    WriteApipaSetting(s, kAdapter, true);
    auto v = s.Get(kKey, kApipaValueName);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->data, std::string("\x01\0\0\0", 4));

    MemoryStore empty;
    WriteApipaSetting(empty, kAdapter, false);
    EXPECT_FALSE(empty.KeyExists(kKey));

    MemoryStore refused;
    refused.PutDword(kKey, kApipaValueName, 1);
    refused.RefuseKey(kKey);
    WriteApipaSetting(refused, kAdapter, false); // silently nothing
    EXPECT_EQ(refused.WriteCount(), 0);
}

// A name that is not one adapter's must not reach the parent key or another
// adapter's key.
TEST(Apipa, NamesThatWouldReachAnotherKey) {
    MemoryStore s;
    const std::string parent(kTcpipInterfacesKey.substr(0, kTcpipInterfacesKey.size() - 1));
    s.PutDword(parent, kApipaValueName, 0);
    s.PutDword(kKey + "\\sub", kApipaValueName, 0);
    for (const std::string& name : {std::string(), kAdapter + "\\sub"}) {
        EXPECT_TRUE(ReadApipaSetting(s, name)) << name;
        WriteApipaSetting(s, name, true);
    }
    EXPECT_EQ(s.WriteCount(), 0);
    EXPECT_EQ(TcpipInterfaceKey("eth0"),
              "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\eth0");
}

} // namespace
} // namespace corvane
