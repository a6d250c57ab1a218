// The music claim on a real lock file: one holder among the runs, and none left by a run that ended or
// by the renderer it started.
#include "host/platform/music_claim_posix.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

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
    // A runtime folder that cannot be entered, then a folder of our own made on demand.
    const std::vector<std::string> paths = {"/dev/null/zorun-music.lock",
                                            (dir.path() / "zorun" / "music.lock").string()};
    FlockMusicClaim first(paths), second(paths);

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
    EXPECT_EQ(inChild([&] { return (new FlockMusicClaim(paths))->TryClaim() ? 3 : 0; }), 3);
    EXPECT_TRUE(first.TryClaim());
    EXPECT_EQ(inChild([&] { return FlockMusicClaim(paths).TryClaim() ? 1 : 0; }), 0);

    // No lock file to share: the run plays rather than leave every monitor silent.
    EXPECT_TRUE(FlockMusicClaim({"/dev/null/music.lock"}).TryClaim());
}

}  // namespace
}  // namespace zorun::host
