// Our Linux profile engine on real files: no half-written settings file, links and permissions kept.
#include "host/profile/profile_strings.h"
#include "settings_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using zorun::profile::writeString;
using zorun::profile::writeStrings;

class ProfilePosix : public ::testing::Test {
protected:
    testfs::TempDir dir;
    const std::string before = "[Section]\r\nk=old\r\n";
};

TEST_F(ProfilePosix, AWriteThatFailsHalfwayLeavesTheOldFile)
{
    const std::string file = (dir.path() / "Zorun.ini").string();
    testfs::writeText(file, before);

    // A file-size limit stops the write part of the way through, even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::string reason;
    const bool written = writeStrings("Section", {{"k", std::string(200, 'x')}}, file, reason);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(reason, std::strerror(EFBIG));

    // The first key alone would be storable: a store of several is all or nothing.
    EXPECT_FALSE(writeStrings("Section", {{"k", "new"}, {"j", "a\n[Section]\nk=2"}}, file, reason));
    EXPECT_EQ(reason, std::strerror(EINVAL));
    EXPECT_EQ(testfs::readText(file), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1) << "no temporary left";
}

TEST_F(ProfilePosix, KeepsTheLinkAndThePermissions)
{
    const fs::path real = dir.path() / "real.ini";
    const fs::path link = dir.path() / "Zorun.ini";
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    testfs::writeText(real.string(), before);
    fs::permissions(real, perms);
    fs::create_symlink(real, link);

    ASSERT_TRUE(writeString("Section", "k", "new", link.string().c_str()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testfs::readText(real.string()), "[Section]\r\nk=new\r\n");
    EXPECT_EQ(fs::status(real).permissions(), perms);
}

}  // namespace
