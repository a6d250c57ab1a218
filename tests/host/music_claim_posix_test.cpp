// The music claim on a real lock file: one holder among the runs, and none left by a run that ended or
// by the renderer it started.
#include "host/platform/music_claim_posix.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace zorun::host {
namespace {

// Runs body in a child process and waits for it; the child's exit status.
template <typename Body>
int inChild(Body body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FlockMusicClaim, OneHolderUntilItReleasesOrItsProcessEnds)
{
    testfs::TempDir dir;
    const std::string path = (dir.path() / "zorun" / "music.lock").string();  // its folder made on demand
    FlockMusicClaim first(path), second(path);

    EXPECT_TRUE(first.TryClaim());
    EXPECT_TRUE(first.TryClaim());  // still its own
    EXPECT_FALSE(second.TryClaim());

    // A program the holder started (its renderer, which may outlive it for a moment) holds nothing.
    // posix_spawn returns once the program runs, as the host's own start of the renderer does.
    pid_t renderer = 0;
    char sleepName[] = "sleep", seconds[] = "30";
    char* arguments[] = {sleepName, seconds, nullptr};
    ASSERT_EQ(posix_spawn(&renderer, "/bin/sleep", nullptr, nullptr, arguments, environ), 0);
    first.Release();
    EXPECT_TRUE(second.TryClaim());
    kill(renderer, SIGKILL);
    waitpid(renderer, nullptr, 0);
    second.Release();

    // A holder that ends without releasing, as a killed host does, leaves the claim free.
    EXPECT_EQ(inChild([&] { return (new FlockMusicClaim(path))->TryClaim() ? 3 : 0; }), 3);
    EXPECT_TRUE(first.TryClaim());
    EXPECT_EQ(inChild([&] { return FlockMusicClaim(path).TryClaim() ? 1 : 0; }), 0);

    // No lock file to share: the run plays rather than leave every monitor silent.
    EXPECT_TRUE(FlockMusicClaim("/dev/null/music.lock").TryClaim());
}

TEST(FlockMusicClaim, TheLockLivesInTheRuntimeFolderElseBesideTheTextureCache)
{
    const struct {
        const char* runtime;
        const char* cache;
        const char* path;
    } cases[] = {
        {"/run/user/1000", "/c", "/run/user/1000/zorun-music.lock"},
        {"/run/user/1000/", "/c", "/run/user/1000/zorun-music.lock"},
        {"run/user/1000", "/c", "/c/zorun/music.lock"},  // relative: invalid, ignored
        {nullptr, "/c/", "/c/zorun/music.lock"},
    };
    auto keep = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    const auto runtime = keep("XDG_RUNTIME_DIR"), cache = keep("XDG_CACHE_HOME");
    for (const auto& c : cases) {
        c.runtime ? setenv("XDG_RUNTIME_DIR", c.runtime, 1) : unsetenv("XDG_RUNTIME_DIR");
        setenv("XDG_CACHE_HOME", c.cache, 1);
        EXPECT_EQ(musicClaimPath(), c.path) << (c.runtime ? c.runtime : "unset");
    }
    runtime ? setenv("XDG_RUNTIME_DIR", runtime->c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
    cache ? setenv("XDG_CACHE_HOME", cache->c_str(), 1) : unsetenv("XDG_CACHE_HOME");
}

}  // namespace
}  // namespace zorun::host
