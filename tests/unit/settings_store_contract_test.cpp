// What every settings store back end must do alike.
#include "platform/linux/reg_file_store.h"
#include "platform/sim/memory_store.h"
#include "unit/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace corvane;

namespace {

constexpr StoreRoot kLM = StoreRoot::LocalMachine;

// One back end under test, with a way to plant an expandable string, which
// the interface itself cannot write.
class Backend {
  public:
    virtual ~Backend() = default;
    virtual SettingsStore& store() = 0;
    // A store object over the same data, as another program would see it.
    virtual SettingsStore& reopened() = 0;
    virtual void PutExpandString(const std::string& path, const std::string& name,
                                 const std::string& text) = 0;
};

class MemoryBackend : public Backend {
  public:
    SettingsStore& store() override { return store_; }
    SettingsStore& reopened() override { return store_; }
    void PutExpandString(const std::string& path, const std::string& name,
                         const std::string& text) override {
        store_.PutExpandString(path, name, text);
    }

  private:
    MemoryStore store_;
};

class FileBackend : public Backend {
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

struct BackendCase {
    const char* name;
    std::function<std::unique_ptr<Backend>()> make;
};

class StoreContract : public ::testing::TestWithParam<BackendCase> {
  protected:
    void SetUp() override { backend_ = GetParam().make(); }

    std::unique_ptr<StoreKey> Open(std::string_view path,
                                   KeyAccess access = KeyAccess::CreateAllAccess) {
        auto r = backend_->store().OpenKey(kLM, path, access);
        EXPECT_TRUE(r.ok()) << path;
        return std::move(r.value);
    }

    std::unique_ptr<Backend> backend_;
};

TEST_P(StoreContract, ValuesSurviveReopening) {
    auto key = Open("Software\\tessaly software\\corvane");
    ASSERT_TRUE(key->WriteDword("Ping Timeout", 2000).ok());
    ASSERT_TRUE(key->WriteString("C0", "IP Address").ok());
    key->Close();

    auto again = backend_->reopened().OpenKey(kLM, "SOFTWARE\\Tessaly Software\\CORVANE",
                                              KeyAccess::ExistingReadOnly);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value->ReadDword("ping timeout").value, 2000u);
    EXPECT_EQ(again.value->ReadString("c0").value, "IP Address");
}

TEST_P(StoreContract, MissingIsToldFromWrongType) {
    auto key = Open("Software\\t");
    key->WriteDword("dword", 7);
    key->WriteString("string", "x");
    backend_->PutExpandString("Software\\t", "expand", "%SystemRoot%");

    struct Case {
        const char* name;
        bool asDword;
        StoreStatus status;
        const char* text;
    };
    const Case cases[] = {
        {"dword", true, StoreStatus::Ok, ""},
        {"string", false, StoreStatus::Ok, ""},
        {"expand", false, StoreStatus::Ok, ""},
        {"string", true, StoreStatus::WrongType, "Invalid data type for 'string'"},
        {"expand", true, StoreStatus::WrongType, "Invalid data type for 'expand'"},
        {"dword", false, StoreStatus::WrongType, "Invalid data type for 'dword'"},
        {"none", true, StoreStatus::NotFound, "Failed to get data for 'none'"},
        {"none", false, StoreStatus::NotFound, "Failed to get data for 'none'"},
    };
    for (const Case& c : cases) {
        StoreError e = c.asDword ? key->ReadDword(c.name).error : key->ReadString(c.name).error;
        EXPECT_EQ(e.status, c.status) << c.name << (c.asDword ? " as dword" : " as string");
        EXPECT_EQ(e.text, c.text) << c.name;
    }
    EXPECT_EQ(key->ReadString("expand").value, "%SystemRoot%");
}

TEST_P(StoreContract, OpeningAnAbsentKeyCreatesNothing) {
    for (KeyAccess access : {KeyAccess::ExistingReadOnly, KeyAccess::ExistingAllAccess}) {
        auto r = backend_->store().OpenKey(kLM, "Software\\absent", access);
        EXPECT_EQ(r.error.status, StoreStatus::NotFound);
        EXPECT_EQ(r.value, nullptr);
    }
    auto software = Open("Software");
    EXPECT_TRUE(software->SubKeyNames().value.empty());
}

TEST_P(StoreContract, SubKeysInOrderOfCreationAndOnceEach) {
    Open("Software\\A\\Zeta");
    Open("Software\\A\\alpha");
    Open("Software\\A\\Mid\\Deep");
    Open("software\\a\\ZETA\\x");
    auto names = Open("Software\\A", KeyAccess::ExistingReadOnly)->SubKeyNames();
    ASSERT_TRUE(names.ok());
    EXPECT_EQ(names.value, (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    // A key that exists only as a parent can be opened.
    EXPECT_NE(Open("Software\\A\\Mid", KeyAccess::ExistingReadOnly), nullptr);
}

TEST_P(StoreContract, ReadOnlyAndClosedKeysRefuseWrites) {
    Open("Software\\t")->WriteDword("v", 1);
    auto ro = Open("Software\\t", KeyAccess::ExistingReadOnly);
    StoreError e = ro->WriteDword("v", 2);
    EXPECT_EQ(e.status, StoreStatus::AccessDenied);
    EXPECT_EQ(e.text, "Failed to set data for 'v'");
    EXPECT_EQ(ro->ReadDword("v").value, 1u);

    auto rw = Open("Software\\t", KeyAccess::ExistingAllAccess);
    rw->Close();
    EXPECT_EQ(rw->WriteString("v", "x").status, StoreStatus::Failed);
    EXPECT_EQ(rw->ReadDword("v").error.status, StoreStatus::Failed);
    EXPECT_EQ(Open("Software\\t")->ReadDword("v").value, 1u);
}

TEST_P(StoreContract, AValueTakesTheKindLastWritten) {
    auto key = Open("Software\\t");
    key->WriteString("v", "text");
    key->WriteDword("V", 5);
    EXPECT_EQ(key->ReadDword("v").value, 5u);
    EXPECT_EQ(key->ReadString("v").error.status, StoreStatus::WrongType);
}

TEST_P(StoreContract, TextsAndNamesRoundTripByteForByte) {
    const std::string texts[] = {"",       "C:\\dir\\",    "say \"hi\"", "two\nlines\r\n",
                                 "\\\"\\", "caf\xe9 \x01", "= [x] ;",    std::string("a\0b", 3)};
    auto key = Open("Software\\t");
    for (size_t i = 0; i < std::size(texts); ++i) {
        std::string name = "name \"" + std::to_string(i) + "\" \\";
        ASSERT_TRUE(key->WriteString(name, texts[i]).ok()) << i;
    }
    auto again = backend_->reopened().OpenKey(kLM, "Software\\t", KeyAccess::ExistingReadOnly);
    for (size_t i = 0; i < std::size(texts); ++i) {
        std::string name = "name \"" + std::to_string(i) + "\" \\";
        EXPECT_EQ(again.value->ReadString(name).value, texts[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Backends, StoreContract,
    ::testing::Values(BackendCase{"Memory", [] { return std::make_unique<MemoryBackend>(); }},
                      BackendCase{"RegFile", [] { return std::make_unique<FileBackend>(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
