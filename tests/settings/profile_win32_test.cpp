// kernel32's profile calls store one key a call: a store of several that fails part of the way puts the
// file back as it was.
#include "host/profile/profile_strings_win32.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace {

// Stores the first key it is given, then fails as a full disk does.
int keysStored = 0;
bool failAfterOneKey(const char* section, const char* key, const char* value, const char* file)
{
    if (keysStored == 1) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    ++keysStored;
    return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

TEST(ProfileWin32, AStoreThatFailsAfterItsFirstKeyLeavesTheFileAsItWas)
{
    testfs::TempDir dir;
    const std::string file = (dir.path() / "Zorun.ini").string();
    const zorun::profile::KeyValues values{{"k1", "new"}, {"k2", "new"}};
    const std::string before = "[Section]\r\nk1=old\r\n";
    testfs::writeText(file, before);
    std::string reason;
    keysStored = 0;
    EXPECT_FALSE(zorun::profile::writeStrings("Section", values, file, reason, failAfterOneKey));
    EXPECT_EQ(testfs::readText(file), before);
    EXPECT_FALSE(reason.empty());

    // Where there was no file, none is left.
    const std::string fresh = (dir.path() / "fresh.ini").string();
    keysStored = 0;
    EXPECT_FALSE(zorun::profile::writeStrings("Section", values, fresh, reason, failAfterOneKey));
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

}  // namespace
