#include "core/app/tokenizer.h"

#include <gtest/gtest.h>

#include <vector>

using corvane::tokenizer;

namespace {

struct SplitCase {
    const char* text;
    char separator;
    int count;
    bool clean;
    std::vector<std::string> fields; // fields 1..n as read back
};

class TokenizerSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TokenizerSplit, CountsCleanAndFields) {
    const SplitCase& c = GetParam();
    tokenizer t(c.text, c.separator);
    EXPECT_EQ(t.count(), c.count);
    EXPECT_EQ(t.clean(), c.clean);
    for (size_t i = 0; i < c.fields.size(); ++i)
        EXPECT_EQ(t.field(static_cast<int>(i) + 1), c.fields[i]) << "field " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Walk, TokenizerSplit,
                         ::testing::Values(SplitCase{"a,b,c", ',', 3, true, {"a", "b", "c"}},
                                           SplitCase{"a,b,", ',', 2, false, {"a", "b,"}},
                                           SplitCase{"a,,b,c", ',', 2, false, {"a", ""}},
                                           SplitCase{"a;b;c", ';', 3, true, {"a", "b", "c"}},
                                           SplitCase{"", ',', 1, true, {""}},
                                           SplitCase{",a", ',', 2, true, {"", "a"}},
                                           SplitCase{"dhcp,,,LAN,rem,dhcp,dhcp", ',', 4, false, {}},
                                           SplitCase{"a,b,,", ',', 0, false, {}},
                                           SplitCase{" a , b ", ',', 2, true, {" a ", " b "}}));

TEST(Tokenizer, FieldOutsideTheCountIsEmpty) {
    tokenizer t("a;b;c");
    EXPECT_EQ(t.field(0), "");
    EXPECT_EQ(t.field(4), "");
    EXPECT_EQ(t.field(-1), "");
}

TEST(Tokenizer, TrimControlsStripsBlanksTabsAndLineEnds) {
    EXPECT_EQ(corvane::TrimControls(" \t dhcp\r\n"), "dhcp");
    EXPECT_EQ(corvane::TrimControls("  "), "");
    EXPECT_EQ(corvane::TrimControls("a b"), "a b");
}

} // namespace
