#include "core/app/help_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

using namespace corvane;

namespace {

const char* kFile = "# comment before the first page\r\n"
                    "[context 1000] Main window\r\n"
                    "\r\n"
                    "The list.\r\n"
                    "Second line.\r\n"
                    "\r\n"
                    "[context 2000 2500] Address dialog\n"
                    "Enter an address.\n"
                    "[context 3000] Tools\n"
                    "[context 3100] APIPA\n"
                    "Automatic private addressing.\n"
                    "[context x] not a heading\n"
                    "[context 5000] Discovery\n";

TEST(ParseHelpFile, SplitsPagesAtHeadings) {
    auto topics = ParseHelpFile(kFile);
    ASSERT_EQ(topics.size(), 5u);
    EXPECT_EQ(topics[0].contexts, std::vector<int>{1000});
    EXPECT_EQ(topics[0].title, "Main window");
    EXPECT_EQ(topics[0].body, "The list.\nSecond line.");
    EXPECT_EQ(topics[1].contexts, (std::vector<int>{2000, 2500}));
    EXPECT_EQ(topics[2].body, "");
    EXPECT_EQ(topics[3].body, "Automatic private addressing.\n[context x] not a heading");
    EXPECT_EQ(topics[4].title, "Discovery");
}

TEST(FindHelpTopic, ExactThenLowerInTheSameThousandThenFirst) {
    auto topics = ParseHelpFile(kFile);
    struct {
        int context;
        const char* title;
    } cases[] = {
        {1000, "Main window"}, {2500, "Address dialog"},
        {3100, "APIPA"},       {3010, "Tools"},       // the hide list falls back to the tools page
        {3400, "APIPA"},                              // highest page below it
        {5100, "Discovery"},   {4000, "Main window"}, // no page in that thousand
        {0, "Main window"},
    };
    for (const auto& c : cases) {
        const HelpTopic* topic = FindHelpTopic(topics, c.context);
        ASSERT_NE(topic, nullptr);
        EXPECT_EQ(topic->title, c.title) << c.context;
    }
    EXPECT_EQ(FindHelpTopic({}, 1000), nullptr);
}

TEST(HelpBlocks, ParagraphsAndIndentedLines) {
    auto blocks =
        HelpBlocks("First line\nsecond line.\n\n  Key  what\n  F1   help\nAfter.\n\n\nLast");
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_FALSE(blocks[0].preformatted);
    EXPECT_EQ(blocks[0].text, "First line second line.");
    EXPECT_TRUE(blocks[1].preformatted);
    EXPECT_EQ(blocks[1].text, "  Key  what\n  F1   help");
    EXPECT_EQ(blocks[2].text, "After.");
    EXPECT_EQ(blocks[3].text, "Last");
    EXPECT_TRUE(HelpBlocks("").empty());
}

TEST(LoadHelpFile, MissingFileIsNoHelp) {
    TempDir dir;
    EXPECT_FALSE(LoadHelpFile(dir.file("none.hlp")).has_value());
    TempDir::Write(dir.file("x.hlp"), kFile);
    auto topics = LoadHelpFile(dir.file("x.hlp"));
    ASSERT_TRUE(topics.has_value());
    EXPECT_EQ(topics->size(), 5u);
}

} // namespace
