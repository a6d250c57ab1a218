// Where an installed host keeps its settings: beside the program, or the user's own copy.
#include "host/profile/settings_location.h"
#include "settings_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace zorun;

const FolderWritable writable = [](const std::string&) { return true; };
const FolderWritable readOnly = [](const std::string&) { return false; };

#ifdef _WIN32
constexpr char kUserFolderVariable[] = "APPDATA";
constexpr char kOwnFile[] = "\\Zorun\\Zorun.ini";
void setVariable(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
constexpr char kUserFolderVariable[] = "XDG_CONFIG_HOME";
constexpr char kOwnFile[] = "/zorun/Zorun.ini";
void setVariable(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
#endif

class SettingsLocation : public ::testing::Test {
protected:
    SettingsLocation()
    {
        fs::create_directory(app);
        setVariable(kUserFolderVariable, config);
    }
    ~SettingsLocation() override { fs::permissions(app, fs::perms::owner_all); }

    testfs::TempDir dir;
    std::string app = (dir.path() / "app").string();
    std::string config = (dir.path() / "config").string();
    std::string beside = SettingsFilePath(app);
    std::string own = config + kOwnFile;
};

TEST_F(SettingsLocation, AWritableProgramFolderKeepsTheFileBesideTheProgram)
{
    fs::create_directories(fs::path(own).parent_path());
    testfs::writeText(own, "[Section]\r\n");
    const SettingsFiles files = settingsFiles(app, writable);
    EXPECT_EQ(files.read, beside);
    EXPECT_EQ(settingsFileToStore(files), beside);
}

TEST_F(SettingsLocation, AReadOnlyProgramFolderStoresPerUserAndReadsTheFileBesideItUntilThen)
{
    const SettingsFiles before = settingsFiles(app, readOnly);
    EXPECT_EQ(std::pair(before.read, before.write), std::pair(beside, own)) << "read, write";

    EXPECT_EQ(settingsFileToStore(before), own);
    EXPECT_TRUE(fs::is_directory(fs::path(own).parent_path())) << "the per-user folder, made for the store";
#ifndef _WIN32
    EXPECT_EQ(int(fs::status(fs::path(own).parent_path()).permissions()), 0700) << "private";
#endif

    testfs::writeText(own, "[Section]\r\n");
    const SettingsFiles after = settingsFiles(app, readOnly);
    EXPECT_EQ(std::pair(after.read, after.write), std::pair(own, own)) << "read, write";
}

TEST_F(SettingsLocation, TheRealCheckSeesTheProgramFoldersPermissions)
{
    EXPECT_EQ(settingsFiles(app).write, beside);
    EXPECT_TRUE(fs::is_empty(app)) << "the check leaves nothing behind";
#ifdef _WIN32
    GTEST_SKIP() << "no folder here refuses this user's files; the seam above covers the rule";
#else
    if (testfs::writesReadOnlyFiles())
        GTEST_SKIP() << "root writes into a read-only folder; the seam above covers the rule";
    fs::permissions(app, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(settingsFiles(app).write, own);
#endif
}

}  // namespace
