// Loading and storing the music settings through the platform's profile calls, in a temporary folder.
#include "host/settings_file.h"
#include "settings_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <tuple>

namespace {

using namespace zorun;

class SettingsFile : public ::testing::Test {
protected:
    std::string inFolder(const std::string& name) const { return folder + HostPathStyle().separator + name; }
    std::string song() const
    {
        testfs::writeText(inFolder("song.mp3"), "ID3");
        return inFolder("song.mp3");
    }
    void writeIni(const std::string& kind, const std::string& repeat, const std::string& file) const
    {
        testfs::writeText(ini, std::string("[Section]\r\n") + kKeyKind + "=" + kind + "\r\n" + kKeyRepeatTrack + "=" +
                                   repeat + "\r\n" + kKeyFile + "=" + file + "\r\n");
    }
    SharedSettings load(SharedSettings start = {}) const
    {
        LoadSettings(start, ini, folder);
        return start;
    }

    testfs::TempDir dir;
    std::string folder = dir.path().string();
    std::string ini = SettingsFilePath(folder);
};

TEST_F(SettingsFile, NumbersAreTakenDownToWholeSixteenBitValues)
{
    constexpr std::int16_t kKept = 7;
    const struct {
        const char* text;
        std::int16_t expected;
    } cases[] = {
        {"", 0},          {"1.9", 1},         {"  -1  ", -1},   {"-1.5", -2},        {"+3", 3},
        {"32767", 32767}, {"-32768", -32768}, {"32768", kKept}, {"-32768.5", kKept}, {"99999999999999999999", kKept},
        {"abc", kKept},   {"1abc", kKept},    {"1 2", kKept},   {"-", kKept},
    };
    for (const auto& c : cases) {
        writeIni(c.text, c.text, "");
        const SharedSettings s = load({kKept, kKept, "", ""});
        EXPECT_EQ(std::pair(s.BGM_Kind, s.BGM_RepeatTrack), std::pair(c.expected, c.expected)) << '"' << c.text << '"';
    }
}

TEST_F(SettingsFile, OnlyKindTwoDependsOnTheMusicFile)
{
    const std::string mp3 = song();
    const std::string gone = inFolder("gone.mp3");
    const struct {
        std::string kind, file;
        std::int16_t expectedKind;
        std::string expectedFile;
    } cases[] = {
        {" 2", mp3, 2, mp3},
        {" 2", gone, 0, ""},
        {" 2", "", 0, ""},
        {" 2", folder, 0, ""},
        {" 2", mp3 + HostPathStyle().separator, 2, mp3 + HostPathStyle().separator},
        {" 1", gone, 1, ""},
        {" 5", mp3, 5, mp3},
        {" 2", inFolder(std::string(300, 'a')), 0, ""},  // cut to 255 bytes, which name nothing
    };
    for (const auto& c : cases) {
        writeIni(c.kind, " 3", c.file);
        const SharedSettings s = load();
        EXPECT_EQ(s.BGM_Kind, c.expectedKind) << c.kind << c.file;
        EXPECT_EQ(s.BGM_RepeatTrack, 3);
        EXPECT_EQ(s.BGM_File, c.expectedFile) << c.kind << c.file;
        EXPECT_EQ(s.BGM_Folder, c.expectedFile.empty() ? folder : FolderOf(c.expectedFile)) << c.kind << c.file;
    }
    std::remove(ini.c_str());
    EXPECT_EQ(load().BGM_Folder, folder) << "no file at all";
}

TEST_F(SettingsFile, XscreensaversMusicOptionsWinOverTheFile)
{
    const std::string mp3 = song();
    const std::string wav = inFolder("other.wav");
    testfs::writeText(wav, "RIFF");
    const std::string gone = inFolder("gone.mp3");
    const struct {
        std::optional<std::int16_t> kind, track;
        const char* file;  // null: not given
        std::int16_t expectedKind, expectedTrack;
        std::string expectedFile;
    } cases[] = {
        {{}, {}, nullptr, 2, 3, mp3},     {0, {}, nullptr, 0, 3, mp3},     {1, 0, nullptr, 1, 0, mp3},
        {{}, {}, wav.c_str(), 2, 3, wav}, {2, {}, gone.c_str(), 0, 3, ""},
    };
    writeIni(" 2", " 3", mp3);
    for (const auto& c : cases) {
        MusicOptions options{c.kind, c.track, {}};
        if (c.file != nullptr)
            options.file = c.file;
        SharedSettings s = load();
        ApplyMusicOptions(s, options, folder);
        EXPECT_EQ(std::tuple(s.BGM_Kind, s.BGM_RepeatTrack, s.BGM_File),
                  std::tuple(c.expectedKind, c.expectedTrack, c.expectedFile))
            << (c.file ? c.file : "(no file)");
    }
}

TEST(SettingsPaths, FolderOfKeepsEverythingBeforeTheLastBreak)
{
    const struct {
        const PathStyle& style;
        std::string path, folder;
    } cases[] = {
        {kWindowsJapanesePaths, "C:\\Music\\a.mp3", "C:\\Music"},
        {kWindowsJapanesePaths, "C:\\a.mp3", "C:"},
        {kWindowsJapanesePaths, "C:a.mp3", "C:"},
        {kWindowsJapanesePaths, "a.mp3", ""},
        {kWindowsJapanesePaths, "C:\\\x95\x5c\\a.mp3", "C:\\\x95\x5c"},  // 表 ends in the byte of "\"
        {kPosixPaths, "/home/u/a:b.mp3", "/home/u"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderOf(c.path, c.style), c.folder) << c.path;

    EXPECT_EQ(SettingsFilePath("C:\\", kWindowsJapanesePaths), "C:\\\\Zorun.ini");
    const std::string self = ProgramFolder() + HostPathStyle().separator + "settings_file_test";
    EXPECT_TRUE(FileExists(self) || FileExists(self + ".exe")) << self;
}

TEST_F(SettingsFile, AHandWrittenFileIsReadAndStoredWithoutDisturbingTheRest)
{
    const std::string mp3 = song();
    const std::string head = "; edited by hand\r\n\r\n[Window]\r\nLeft = 10\r\n\r\n[section]\r\n";
    const std::string tail = "\r\n[Other]\r\nx=y";
    testfs::writeText(ini, head + "bgm\x8b\xe6\x95\xaa = 1\r\n; repeat\r\n" + kKeyRepeatTrack + "= 12.5\r\n" +
                               kKeyFile + "=\"" + mp3 + "\"\r\n" + tail);
    const SharedSettings loaded = load();
    EXPECT_EQ(std::tuple(loaded.BGM_Kind, loaded.BGM_RepeatTrack, loaded.BGM_File), std::tuple(1, 12, mp3));

    const std::string gone = inFolder("gone.wav");
    WriteIniValue(kSettingsSection, kKeyKind, IniNumberText(2), ini);
    WriteIniValue(kSettingsSection, kKeyRepeatTrack, IniNumberText(-3), ini);
    WriteIniValue(kSettingsSection, kKeyFile, gone, ini);
    if (testfs::kSystemProfileCalls) {
        // HACK: Wine rewrites the whole file; what the profile calls read back must agree all the same.
        EXPECT_EQ(ReadIniValue("Window", "Left", ini), "10");
        EXPECT_EQ(ReadIniValue("Other", "x", ini), "y");
    } else {
        EXPECT_EQ(testfs::readText(ini), head + "bgm\x8b\xe6\x95\xaa= 2\r\n; repeat\r\n" + kKeyRepeatTrack + "=-3\r\n" +
                                             kKeyFile + "=" + gone + "\r\n" + tail);
    }
    const SharedSettings stored = load();
    EXPECT_EQ(stored.BGM_Kind, 0) << "kind 2 whose file does not exist";
    EXPECT_EQ(stored.BGM_RepeatTrack, -3);
    EXPECT_EQ(ReadIniValue(kSettingsSection, kKeyFile, ini), gone);
}

}  // namespace
