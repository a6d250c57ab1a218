// The INI engine on text in memory: name matching, where edits land, and what it refuses to store.
#include "host/profile/profile_engine.h"

#include <gtest/gtest.h>

namespace {

using namespace zorun::profile;

TEST(ProfileEngine, FoldsAsciiCaseButNotSecondBytesOfDoubleByteCharacters)
{
    EXPECT_TRUE(sameName("bgm\x8b\xe6\x95\xaa", "BGM\x8b\xe6\x95\xaa"));
    EXPECT_FALSE(sameName("\x83\x41", "\x83\x61"));  // ア and ヂ differ only in an ASCII-looking byte
    EXPECT_FALSE(sameName("BGM\xd8\xcb", "BGM\xf8\xcb"));
}

TEST(ProfileEngine, LooksOnlyInTheFirstSectionOfAName)
{
    EXPECT_EQ(findValue("[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b"), std::nullopt);
    EXPECT_EQ(findValue("[s]\r\nk\r\nk=2\r\nk=3\r\n", "s", "k"), "2");
    EXPECT_EQ(findValue("[s\r\nk=1\r\n", "s", "k"), std::nullopt);
}

TEST(ProfileEngine, EditsLandWhereTheProfileCallsPutThem)
{
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"[s]", "[s]\r\nk=v\r\n"},
        {"[s]\r\na=1\r\n[s]\r\nk=old\r\n", "[s]\r\na=1\r\nk=v\r\n[s]\r\nk=old\r\n"},
        {std::string("junk\0\r\n", 7), std::string("junk\0\r\n[s]\r\nk=v\r\n", 17)},
        {"[S]\r\na= 2\r\n\r\n[t]\r\nb=2\r\n", "[S]\r\na= 2\r\nk=v\r\n\r\n[t]\r\nb=2\r\n"},
        {"[t]\r\nb=2", "[t]\r\nb=2\r\n[s]\r\nk=v\r\n"},
        {"[t]\nb=2\n[s]\nK=old\n", "[t]\nb=2\n[s]\nK=v\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(setValue(c.before, "s", "k", "v"), c.after) << testing::PrintToString(c.before);
}

TEST(ProfileEngine, RefusesTextsThatWouldChangeTheFilesStructure)
{
    EXPECT_TRUE(storable("Section", "BGM\x8b\xe6\x95\xaa", ""));
    // A Linux file name may hold a line break; stored as it is, it would add keys to the file.
    EXPECT_FALSE(storable("Section", "k", "/music/a\n[Section]\nBGM=1"));
    EXPECT_FALSE(storable("Section", "k", "a\rb"));
    EXPECT_FALSE(storable("Sec\ntion", "k", "v"));
    EXPECT_FALSE(storable("Section", "a=b", "v"));
    EXPECT_FALSE(storable("Section", " [Other] ", "v"));
    EXPECT_FALSE(storable("Section", "[k", "v]"));
    EXPECT_FALSE(storable("", " ", "v"));
}

}  // namespace
