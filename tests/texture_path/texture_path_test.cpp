// Where host and renderer look for the cloud picture on Linux, under the environments they may meet.
#include "texture_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or removes a variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

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
        ScopedEnv cache("XDG_CACHE_HOME", c.cache);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(zorun::textureFolder(), c.folder);
        EXPECT_EQ(zorun::texturePath(), c.folder.empty() ? "" : c.folder + "/Zorun.bmp");
    }
}

TEST(TexturePath, WithoutHomeTheAccountsFolderIsUsed)
{
    ScopedEnv cache("XDG_CACHE_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    const std::string folder = zorun::textureFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_TRUE(folder.ends_with("/.cache/k_vorn")) << folder;
}

}  // namespace
