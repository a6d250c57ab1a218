// Where host and renderer look for the cloud picture on Linux, under the environments they may meet.
#include "common/texture_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Each test sets both variables it depends on, so none is put back.
void put(const char* name, const std::optional<std::string>& value)
{
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
}

TEST(TexturePath, FollowsTheCacheFolderRules)
{
    const struct {
        const char* name;
        std::optional<std::string> cache;
        std::optional<std::string> home;
        std::string folder;
    } cases[] = {
        {"absolute cache folder", "/var/tmp/cache", "/home/ann", "/var/tmp/cache/k_vorn"},
        {"trailing slash", "/var/tmp/cache/", "/home/ann", "/var/tmp/cache/k_vorn"},
        {"cache folder not set", std::nullopt, "/home/ann", "/home/ann/.cache/k_vorn"},
        {"empty cache folder", "", "/home/ann", "/home/ann/.cache/k_vorn"},
        {"relative cache folder is ignored", "cache", "/home/ann", "/home/ann/.cache/k_vorn"},
        {"relative home gives nothing", std::nullopt, "ann", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        put("XDG_CACHE_HOME", c.cache);
        put("HOME", c.home);
        EXPECT_EQ(zorun::textureFolder(), c.folder);
        EXPECT_EQ(zorun::texturePath(), c.folder.empty() ? "" : c.folder + "/Zorun.bmp");
    }
}

TEST(TexturePath, WithoutHomeTheAccountsFolderIsUsed)
{
    put("XDG_CACHE_HOME", std::nullopt);
    put("HOME", std::nullopt);
    const std::string folder = zorun::textureFolder();
    EXPECT_TRUE(folder.starts_with('/') && folder.ends_with("/.cache/k_vorn")) << folder;
}

}  // namespace
