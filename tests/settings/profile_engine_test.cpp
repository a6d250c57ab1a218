// The INI engine on text in memory: name matching, where edits land, and what it refuses to store.
#include "profile_engine.h"

#include <gtest/gtest.h>

namespace {

using namespace zorun::profile;

TEST(ProfileEngine, NamesFoldAsciiCaseButNotSecondBytesOfDoubleByteCharacters)
{
    EXPECT_TRUE(sameName("Section", "sECTION"));
    EXPECT_TRUE(sameName("bgm\x8b\xe6\x95\xaa", "BGM\x8b\xe6\x95\xaa"));
    EXPECT_FALSE(sameName("BGM\x8b\xe6\x95\xaa", "BGM\x8b\xe6\x95\xab"));
    // ア (83 41) and ピ (83 73 is ピ's neighbour; 83 61 is ヂ) differ only in an ASCII-looking second byte.
    EXPECT_FALSE(sameName("\x83\x41", "\x83\x61"));
    EXPECT_FALSE(sameName("key", "key "));
    // Half-width katakana are single bytes of their own and are compared as they are.
    EXPECT_FALSE(sameName("BGM\xd8\xcb\xdf\xb0\xc4", "BGM\xf8\xcb\xdf\xb0\xc4"));
}

TEST(ProfileEngine, LooksOnlyInTheFirstSectionOfAName)
{
    const std::string text = "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n";
    EXPECT_EQ(findValue(text, "s", "a"), "1");
    EXPECT_EQ(findValue(text, "s", "b"), std::nullopt);
    EXPECT_EQ(findValue("[s]\r\nk\r\nk=2\r\n", "s", "k"), "2") << "a line without = is no key";
    EXPECT_EQ(findValue("[s]\r\nk=1\r\nk=2\r\n", "s", "k"), "1");
    EXPECT_EQ(findValue("[s] trailing\r\nk=1\r\n", "s", "k"), "1");
    EXPECT_EQ(findValue("[s\r\nk=1\r\n", "s", "k"), std::nullopt) << "a header needs its bracket";
}

TEST(ProfileEngine, EditsLandWhereTheProfileCallsPutThem)
{
    const struct {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"empty text", "", "[s]\r\nk=v\r\n"},
        {"header alone, no line end", "[s]", "[s]\r\nk=v\r\n"},
        {"header and blank lines", "[s]\r\n\r\n\r\n", "[s]\r\nk=v\r\n\r\n\r\n"},
        {"second section of the name untouched", "[s]\r\na=1\r\n[s]\r\nk=old\r\n", "[s]\r\na=1\r\nk=v\r\n[s]\r\nk=old\r\n"},
        {"blanks and quotes around the old value go", "[s]\r\n  k = \"old\"  \r\n", "[s]\r\nk=v\r\n"},
        {"CR line end kept", "[s]\rk=old\r", "[s]\rk=v\r"},
        {"bytes before the first section kept", std::string("junk\0here\r\n", 11), std::string("junk\0here\r\n[s]\r\nk=v\r\n", 21)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(setValue(c.before, "s", "k", "v"), c.after) << c.what;
}

TEST(ProfileEngine, RefusesTextsThatWouldChangeTheFilesStructure)
{
    EXPECT_TRUE(storable("Section", "BGM\x8b\xe6\x95\xaa", " 2"));
    EXPECT_TRUE(storable("Section", "k", ""));
    // A music file's name may hold a line break on Linux; stored as it is, it would add keys.
    EXPECT_FALSE(storable("Section", "k", "/music/a\n[Section]\nBGM=1"));
    EXPECT_FALSE(storable("Section", "k", "a\rb"));
    EXPECT_FALSE(storable("Sec\ntion", "k", "v"));
    EXPECT_FALSE(storable("Section", "a=b", "v"));
    EXPECT_FALSE(storable("Section", " ", "v"));
    EXPECT_FALSE(storable("", "k", "v"));
}

TEST(ProfileEngine, CopiesOutAsTheReadCallDoes)
{
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(copyOut("abcdef", buffer, 4), 3u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(copyOut("abc", buffer, 0), 0u);
    EXPECT_EQ(copyOut("abc", nullptr, 4), 0u);
    EXPECT_EQ(usableDefault(nullptr), "");
    EXPECT_EQ(usableDefault("a b \t"), "a b");
}

}  // namespace
