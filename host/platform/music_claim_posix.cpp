// The music claim on POSIX: flock on a per-user lock file, held for as long as the run plays.
#include "host/platform/music_claim_posix.h"

#include "common/user_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace zorun::host {

std::vector<std::string> musicClaimPaths()
{
    std::vector<std::string> paths;
    // A relative XDG_RUNTIME_DIR is invalid by the base directory rules and ignored, as userBaseFolder does.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
        const std::string folder = runtime;
        paths.push_back(folder + (folder.back() == '/' ? "" : "/") + "zorun-music.lock");
    }
    if (const std::string cache = userBaseFolder("XDG_CACHE_HOME", ".cache"); !cache.empty())
        paths.push_back(cache + (cache.back() == '/' ? "" : "/") + "zorun/music.lock");
    return paths;
}

FlockMusicClaim::FlockMusicClaim(std::vector<std::string> lockPaths) : lockPaths_(std::move(lockPaths)) {}

FlockMusicClaim::~FlockMusicClaim()
{
    Release();
}

bool FlockMusicClaim::TryClaim()
{
    if (fd_ >= 0)
        return true;
    int fd = -1;
    for (const auto& path : lockPaths_) {
        if (const auto slash = path.rfind('/'); slash != std::string::npos && slash > 0)
            mkdir(path.substr(0, slash).c_str(), 0700);  // our own fallback folder; an existing one is fine
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0)
            break;
    }
    if (fd < 0)
        return true;  // no lock to share: play rather than leave every monitor silent
    int locked = -1;
    do
        locked = flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        close(fd);
        return error != EWOULDBLOCK;  // held by another run; any other failure is no lock to share
    }
    fd_ = fd;
    return true;
}

void FlockMusicClaim::Release()
{
    // Closing the only descriptor of this open file drops the lock.
    if (fd_ >= 0)
        close(std::exchange(fd_, -1));
}

}  // namespace zorun::host
