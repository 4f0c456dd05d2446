#include "platform/linux/reg_file_store.h"
#include "unit/settings_store_contract.h"
#include "unit/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <unistd.h>

using namespace corvane;

namespace {

constexpr StoreRoot kLM = StoreRoot::LocalMachine;
const std::string kKeyLine = "[HKEY_LOCAL_MACHINE\\Software\\tessaly software\\corvane]";

std::unique_ptr<StoreKey> OpenCorvane(RegFileStore& store,
                                      KeyAccess access = KeyAccess::CreateAllAccess) {
    auto r = store.OpenKey(kLM, "Software\\tessaly software\\corvane", access);
    EXPECT_TRUE(r.ok());
    return std::move(r.value);
}

TEST(RegFileStore, WritesRegedit4Text) {
    TempDir dir;
    RegFileStore store(dir.file("registry.reg"));
    auto key = OpenCorvane(store);
    key->WriteDword("Ping Timeout", 2000);
    key->WriteString("C0", "IP Address");
    key->WriteString("Path", "C:\\x \"y\"");
    key->WriteString("Lines", "a\nb");
    key->WriteDword("ping timeout", 0xFFFFFFFF); // same value, new number
    EXPECT_EQ(TempDir::Read(store.path()), "REGEDIT4\n\n" + kKeyLine +
                                               "\n"
                                               "\"Ping Timeout\"=dword:ffffffff\n"
                                               "\"C0\"=\"IP Address\"\n"
                                               "\"Path\"=\"C:\\\\x \\\"y\\\"\"\n"
                                               "\"Lines\"=hex(1):61,0a,62,00\n\n");
}

struct LineCase {
    const char* line;
    const char* asString; // nullptr: not readable as a string
    long asDword;         // -1: not readable as a DWORD
};

class RegFileLine : public ::testing::TestWithParam<LineCase> {};

// Each line is read into "v" or skipped, and never disturbs the line after it.
TEST_P(RegFileLine, ReadOrSkipped) {
    const LineCase& c = GetParam();
    TempDir dir;
    RegFileStore store(dir.file("registry.reg"));
    TempDir::Write(store.path(), "REGEDIT4\r\n\r\n" + kKeyLine + "\r\n" + c.line +
                                     "\r\n\"after\"=dword:00000001\r\n");
    auto key = OpenCorvane(store, KeyAccess::ExistingReadOnly);
    ASSERT_NE(key, nullptr);
    auto s = key->ReadString("v");
    auto d = key->ReadDword("v");
    if (c.asString)
        EXPECT_EQ(s.value, c.asString);
    else
        EXPECT_FALSE(s.ok()) << s.value;
    EXPECT_EQ(d.ok() ? static_cast<long>(d.value) : -1L, c.asDword);
    EXPECT_EQ(key->ReadDword("after").value, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RegFileLine,
    ::testing::Values(
        LineCase{"\"v\"=dword:000007d0", nullptr, 2000}, LineCase{"\"v\"=DWORD:7D0", nullptr, 2000},
        LineCase{"\"v\"=dword:000007d00", nullptr, -1}, LineCase{"\"v\"=dword:", nullptr, -1},
        LineCase{"\"v\"=dword:-1", nullptr, -1},
        LineCase{"\"v\"=\"a \\\"b\\\" \\\\ c\\d\"", "a \"b\" \\ c\\d", -1},
        LineCase{"\"v\"=\"unterminated", nullptr, -1}, LineCase{"\"v\"=\"a\" b", nullptr, -1},
        LineCase{"\"v\"=hex(2):25,41,25,00", "%A%", -1},
        LineCase{"\"v\"=hex(1):41,\\\r\n  42,00", "AB", -1},
        LineCase{"\"v\"=hex(4):d0,07,00,00", nullptr, 2000},
        LineCase{"\"v\"=hex:01,02", nullptr, -1}, LineCase{"\"v\"=hex(2):4g", nullptr, -1},
        LineCase{"\"v\"=hex(2", nullptr, -1}, LineCase{"\"v\"=-", nullptr, -1},
        LineCase{"\"v\"", nullptr, -1}, LineCase{"\"v", nullptr, -1},
        LineCase{"\x01\xff garbage", nullptr, -1}));

TEST(RegFileStore, ValuesUnderAnUnreadableKeyLineAreDropped) {
    TempDir dir;
    RegFileStore store(dir.file("registry.reg"));
    TempDir::Write(store.path(), kKeyLine + "\n\"a\"=dword:1\n"
                                            "[HKEY_LOCAL_MACHINE\\Software\\broken\n"
                                            "\"b\"=dword:2\n"
                                            "[HKEY_CURRENT_USER\\Software\\x]\n"
                                            "\"c\"=dword:3\n"
                                            "[-HKEY_LOCAL_MACHINE\\Software\\tessaly software]\n"
                                            "\"d\"=dword:4\n");
    auto key = OpenCorvane(store);
    EXPECT_EQ(key->ReadDword("a").value, 1u);
    for (const char* name : {"b", "c", "d"})
        EXPECT_EQ(key->ReadDword(name).error.status, StoreStatus::NotFound) << name;
}

TEST(RegFileStore, KeepsForeignValuesAndRecoversFromGarbage) {
    TempDir dir;
    RegFileStore store(dir.file("registry.reg"));
    TempDir::Write(store.path(), std::string("\0\0\xff\n", 4) + kKeyLine +
                                     "\n\"q\"=hex(b):01,02,03,04,05,06,07,08\n");
    OpenCorvane(store)->WriteDword("x", 1);
    EXPECT_EQ(TempDir::Read(store.path()), "REGEDIT4\n\n" + kKeyLine +
                                               "\n\"q\"=hex(b):01,02,03,04,05,06,07,08\n"
                                               "\"x\"=dword:00000001\n\n");
}

TEST(RegFileStore, CreatesTheDirectory) {
    TempDir dir;
    RegFileStore store(dir.file("var/lib/corvane/registry.reg"));
    ASSERT_NE(OpenCorvane(store), nullptr);
    EXPECT_TRUE(std::filesystem::exists(store.path()));
}

TEST(RegFileStore, TwoStoresOnOneFileKeepEachOthersWrites) {
    TempDir dir;
    RegFileStore a(dir.file("registry.reg")), b(dir.file("registry.reg"));
    auto keyA = OpenCorvane(a);
    auto keyB = OpenCorvane(b);
    keyA->WriteDword("a", 1);
    keyB->WriteDword("b", 2);
    keyA->WriteString("a2", "x");
    EXPECT_EQ(keyB->ReadDword("a").value, 1u);
    EXPECT_EQ(keyA->ReadDword("b").value, 2u);

    // Writers racing from two threads: every value arrives.
    auto writer = [&](const char* prefix) {
        RegFileStore own(dir.file("registry.reg"));
        auto key = OpenCorvane(own);
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(key->WriteDword(prefix + std::to_string(i), static_cast<unsigned>(i)).ok());
    };
    std::thread t1(writer, "one"), t2(writer, "two");
    t1.join();
    t2.join();
    for (const char* prefix : {"one", "two"})
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(keyA->ReadDword(prefix + std::to_string(i)).value, static_cast<unsigned>(i));
}

TEST(RegFileStore, AllAccessNeedsAWritableDirectory) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write anywhere";
    TempDir dir;
    RegFileStore store(dir.file("ro/registry.reg"));
    OpenCorvane(store)->WriteDword("v", 1);
    std::filesystem::permissions(dir.path() / "ro", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    auto refused =
        store.OpenKey(kLM, "Software\\tessaly software\\corvane", KeyAccess::CreateAllAccess);
    EXPECT_EQ(refused.error.status, StoreStatus::AccessDenied);
    EXPECT_EQ(OpenCorvane(store, KeyAccess::ExistingReadOnly)->ReadDword("v").value, 1u);
}

} // namespace

namespace {

class FileBackend : public contract::Backend {
  public:
    SettingsStore& store() override { return store_; }
    SettingsStore& reopened() override {
        other_ = std::make_unique<RegFileStore>(store_.path());
        return *other_;
    }
    void PutExpandString(const std::string& path, const std::string& name,
                         const std::string& text) override {
        auto tree = ParseRegFile(TempDir::Read(store_.path()));
        store_tree::StoreTree::SetValue(
            tree.Obtain("HKEY_LOCAL_MACHINE\\" + path),
            store_tree::StoredValue::String(name, text, store_tree::kExpandString));
        TempDir::Write(store_.path(), FormatRegFile(tree));
    }

  private:
    TempDir dir_;
    RegFileStore store_{dir_.file("etc/registry.reg")};
    std::unique_ptr<RegFileStore> other_;
};

} // namespace

using contract::StoreContract;
INSTANTIATE_TEST_SUITE_P(RegFile, StoreContract,
                         ::testing::Values(contract::BackendCase{
                             "RegFile", [] { return std::make_unique<FileBackend>(); }}),
                         [](const auto& info) { return std::string(info.param.name); });
