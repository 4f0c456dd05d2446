#include "core/app/version_text.h"

#include <gtest/gtest.h>

using corvane::FormatVersionTexts;

namespace {

TEST(FormatVersionTexts, LabelAndShortText) {
    struct {
        std::optional<std::string> version;
        const char* label;
        const char* shortText;
    } cases[] = {
        {"4.2.2.26", "Version  4.2.2  Build 26 (Nov 19 2004)", "4.2.2"},
        {"0.1.0.1", "Version  0.1.0  Build 1 (Nov 19 2004)", "0.1.0"},
        // missing parts stay empty
        {"4.2", "Version  4.2.  Build  (Nov 19 2004)", "4.2."},
        {"", "Version  ..  Build  (Nov 19 2004)", ".."},
        // a fifth part is not shown
        {"1.2.3.4.5", "Version  1.2.3  Build 4 (Nov 19 2004)", "1.2.3"},
        // no version information at all
        {std::nullopt, "Version  ", ""},
    };
    for (const auto& c : cases) {
        auto texts = FormatVersionTexts("Version  ", c.version, "Nov 19 2004");
        EXPECT_EQ(texts.label, c.label);
        EXPECT_EQ(texts.shortText, c.shortText);
    }
}

} // namespace
