// The cases every settings store back end must pass alike.
#include "unit/settings_store_contract.h"

#include <vector>

namespace corvane::contract {

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
    const std::vector<std::string> expected =
        backend_->SortsSubKeys() ? std::vector<std::string>{"alpha", "Mid", "Zeta"}
                                 : std::vector<std::string>{"Zeta", "alpha", "Mid"};
    EXPECT_EQ(names.value, expected);
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

} // namespace corvane::contract
