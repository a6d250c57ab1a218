// Our Linux profile engine on real files: no half-written settings file, links and permissions kept.
#include "ini_files.h"
#include "profile_strings.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using zorun::profile::writeString;
namespace fs = std::filesystem;

std::size_t filesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ProfilePosix, AWriteThatFailsHalfwayLeavesTheOldFile)
{
    testfs::TempDir dir;
    const std::string file = (dir.path() / "Zorun.ini").string();
    const std::string before = "[Section]\r\nk=old\r\n";
    testfs::writeText(file, before);

    // A file-size limit makes the write fail part of the way through, even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool written = writeString("Section", "k", std::string(200, 'x').c_str(), file.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(testfs::readText(file), before);
    EXPECT_EQ(filesIn(dir.path()), 1u) << "no temporary file left behind";
}

TEST(ProfilePosix, RefusesAValueThatWouldAddLines)
{
    testfs::TempDir dir;
    const std::string file = (dir.path() / "Zorun.ini").string();
    const std::string before = "[Section]\r\nk=old\r\n";
    testfs::writeText(file, before);
    EXPECT_FALSE(writeString("Section", "k", "/m/a\n[Section]\nBGM=2", file.c_str()));
    EXPECT_EQ(testfs::readText(file), before);
}

TEST(ProfilePosix, KeepsTheLinkAndThePermissions)
{
    testfs::TempDir dir;
    const fs::path real = dir.path() / "real.ini";
    const fs::path link = dir.path() / "Zorun.ini";
    testfs::writeText(real.string(), "[Section]\r\nk=old\r\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);

    ASSERT_TRUE(writeString("Section", "k", "new", link.string().c_str()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testfs::readText(real.string()), "[Section]\r\nk=new\r\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ProfilePosix, RefusesToReplaceSomethingThatIsNoFile)
{
    testfs::TempDir dir;
    const fs::path folder = dir.path() / "Zorun.ini";
    fs::create_directory(folder);
    EXPECT_FALSE(writeString("Section", "k", "v", folder.string().c_str()));
    EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
