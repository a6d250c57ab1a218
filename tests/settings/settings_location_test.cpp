// Where an installed host keeps its settings on Linux: beside the program, or the user's own copy.
#include "host/profile/settings_location.h"
#include "settings_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace zorun;

const FolderWritable writable = [](const std::string&) { return true; };
const FolderWritable readOnly = [](const std::string&) { return false; };

class SettingsLocation : public ::testing::Test {
protected:
    SettingsLocation()
    {
        fs::create_directory(app);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    ~SettingsLocation() override { fs::permissions(app, fs::perms::owner_all); }

    testfs::TempDir dir;
    std::string app = (dir.path() / "app").string();
    std::string config = (dir.path() / "config").string();
    std::string beside = app + "/Zorun.ini";
    std::string own = config + "/zorun/Zorun.ini";
};

TEST_F(SettingsLocation, AWritableProgramFolderKeepsTheFileBesideTheProgram)
{
    fs::create_directories(config + "/zorun");
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
    EXPECT_EQ(int(fs::status(config + "/zorun").permissions()), 0700) << "the per-user folder, private";

    testfs::writeText(own, "[Section]\r\n");
    const SettingsFiles after = settingsFiles(app, readOnly);
    EXPECT_EQ(std::pair(after.read, after.write), std::pair(own, own)) << "read, write";
}

TEST_F(SettingsLocation, TheRealCheckSeesTheProgramFoldersPermissions)
{
    EXPECT_EQ(settingsFiles(app).write, beside);
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder; the seam above covers the rule";
    fs::permissions(app, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(settingsFiles(app).write, own);
}

}  // namespace
