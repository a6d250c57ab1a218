// The profile-string port against real files: our engine on Linux, kernel32's calls in the Windows build.
#include "host/profile/profile_strings.h"
#include "settings_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

namespace {

using zorun::profile::getString;
using zorun::profile::writeString;

const std::string kKind = "BGM\x8b\xe6\x95\xaa";  // "BGM区分" in code page 932

class ProfilePort : public ::testing::Test {
protected:
    void ini(const std::string& text) { testfs::writeText(file, text); }
    std::string read(const std::string& section, const std::string& key, const char* def = "dflt",
                     std::uint32_t size = 256, std::uint32_t* count = nullptr)
    {
        std::array<char, 300> buffer;
        buffer.fill('#');
        const auto n = getString(section.c_str(), key.c_str(), def, buffer.data(), size, file.c_str());
        if (count != nullptr)
            *count = n;
        return buffer.data();
    }

    testfs::TempDir dir;
    std::string file = (dir.path() / "Zorun.ini").string();
};

TEST_F(ProfilePort, ReadsValuesAsWindowsDoes)
{
    const struct {
        std::string text, section, key, expected;
    } cases[] = {
        {"[SECTION]\r\nKey=v\r\n", "section", "kEY", "v"},
        {"  [ Section ]  \r\n\t key \t=  two words \t\r\n", "Section", "key", "two words"},
        {"[s]\r\nk=\"quoted \"\r\n", "s", "k", "quoted "},
        {"[s]\r\nk='x'\r\n", "s", "k", "x"},
        {"[s]\r\nk=\"x'\r\n", "s", "k", "\"x'"},
        {"[a]\nk=1\n[s]\nk=2\n", "s", "k", "2"},
        {"[a]\rk=1\r[s]\rk=a=b", "s", "k", "a=b"},
        {"[s]\r\n;k=commented\r\nk=real\r\n", "s", "k", "real"},
        {"k=stray\r\n[s]\r\n[t]\r\nk=1\r\n", "s", "k", "dflt"},
    };
    for (const auto& c : cases) {
        ini(c.text);
        std::uint32_t count = 0;
        EXPECT_EQ(read(c.section, c.key, "dflt", 256, &count), c.expected) << testing::PrintToString(c.text);
        EXPECT_EQ(count, c.expected.size()) << testing::PrintToString(c.text);
    }
}

TEST_F(ProfilePort, CutsToTheBufferAndFallsBackToTheDefault)
{
    ini("[s]\r\nk=" + std::string(300, 'x') + "\r\n");
    std::uint32_t count = 0;
    EXPECT_EQ(read("s", "k", "", 256, &count), std::string(255, 'x'));
    EXPECT_EQ(count, 255u);
    EXPECT_EQ(read("s", "k", "", 4), "xxx");
    EXPECT_EQ(read("s", "missing", "dflt  "), "dflt");

    file = (dir.path() / "none.ini").string();
    EXPECT_EQ(read("s", "k"), "dflt");
    file = dir.path().string();
    EXPECT_EQ(read("s", "k"), "dflt");
}

TEST_F(ProfilePort, WritingCreatesTheFileOrFailsWithoutOne)
{
    ASSERT_TRUE(writeString("Section", kKind.c_str(), " 2", file.c_str()));
    // HACK: Wine drops the blanks at the start of a value it writes; Windows stores " 2" as given.
    const std::string text = testfs::readText(file);
    EXPECT_TRUE(text == "[Section]\r\n" + kKind + "= 2\r\n" ||
                (testfs::kSystemProfileCalls && text == "[Section]\r\n" + kKind + "=2\r\n"))
        << text;

    const std::string nowhere = (dir.path() / "no folder" / "Zorun.ini").string();
    EXPECT_FALSE(writeString("Section", "k", "v", nowhere.c_str()));
}

TEST_F(ProfilePort, SeveralKeysAreStoredAsTheyAreOneByOneOrNotAtAll)
{
    const std::string before = "; mine\r\n[Section]\r\nk1=old\r\n\r\n[Other]\r\nx=y\r\n";
    const zorun::profile::KeyValues values{{"k1", " 1"}, {"k2", "two"}, {"k3", ""}};
    ini(before);
    const std::string oneByOne = (dir.path() / "one_by_one.ini").string();
    testfs::writeText(oneByOne, before);
    for (const auto& [key, value] : values)
        ASSERT_TRUE(writeString("Section", key.c_str(), value.c_str(), oneByOne.c_str()));
    std::string reason = "unset";
    ASSERT_TRUE(zorun::profile::writeStrings("Section", values, file, reason)) << reason;
    EXPECT_EQ(testfs::readText(file), testfs::readText(oneByOne));

    if (testfs::writesReadOnlyFiles())
        GTEST_SKIP() << "root writes read-only files; dialog_e2e stores into one as a user of its own";
    ini(before);
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    reason.clear();
    EXPECT_FALSE(zorun::profile::writeStrings("Section", values, file, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(testfs::readText(file), before);
}

}  // namespace
