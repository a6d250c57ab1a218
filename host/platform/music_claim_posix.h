// The music claim on POSIX: an exclusive flock on a file in the user's runtime folder.
#pragma once

#include "host/platform/music_claim.h"

#include <string>

namespace zorun::host {

/// Where the claim's lock file lives: $XDG_RUNTIME_DIR/zorun-music.lock when that variable holds an
/// absolute path (a folder only the user can enter, emptied at log-out), else music.lock in a folder of
/// our own beside the texture cache, ${XDG_CACHE_HOME:-$HOME/.cache}/zorun. Empty when neither can be
/// named.
std::string musicClaimPath();

/// The claim as a flock(LOCK_EX | LOCK_NB) on the file at lockPath (made 0600 when missing; a link
/// planted there is not followed). The kernel drops the lock when the holder's process ends, however it
/// ends, and the descriptor is not inherited by programs the host starts, so a renderer that outlives its
/// host for a moment holds nothing. A lock file that cannot be opened gives the claim anyway: a run with
/// music on one monitor beats a silent one.
class FlockMusicClaim final : public MusicClaim {
public:
    explicit FlockMusicClaim(std::string lockPath);
    ~FlockMusicClaim() override;
    FlockMusicClaim(const FlockMusicClaim&) = delete;
    FlockMusicClaim& operator=(const FlockMusicClaim&) = delete;

    bool TryClaim() override;
    void Release() override;

private:
    std::string lockPath_;
    int fd_ = -1;
};

}  // namespace zorun::host
