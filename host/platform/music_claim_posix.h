// The music claim on POSIX: an exclusive flock on a file in the user's runtime folder.
#pragma once

#include "host/platform/music_claim.h"

#include <string>
#include <vector>

namespace zorun::host {

/// Where the claim's lock file may live, best first: $XDG_RUNTIME_DIR/zorun-music.lock when that
/// variable holds an absolute path (a folder only the user can enter, emptied at log-out), then
/// music.lock in a folder of our own beside the texture cache, ${XDG_CACHE_HOME:-$HOME/.cache}/zorun.
std::vector<std::string> musicClaimPaths();

/// The claim as a flock(LOCK_EX | LOCK_NB) on the first of lockPaths that can be opened (made 0600 when
/// missing; a link planted there is not followed): a runtime folder inherited from another user (su)
/// cannot be entered, and every run of the user then falls back alike. The kernel drops the lock when the
/// holder's process ends, however it ends, and the descriptor is not inherited by programs the host
/// starts, so a renderer that outlives its host for a moment holds nothing. When no lock file can be
/// opened the claim is given anyway: a run with music on one monitor beats a silent one.
class FlockMusicClaim final : public MusicClaim {
public:
    explicit FlockMusicClaim(std::vector<std::string> lockPaths);
    ~FlockMusicClaim() override;
    FlockMusicClaim(const FlockMusicClaim&) = delete;
    FlockMusicClaim& operator=(const FlockMusicClaim&) = delete;

    bool TryClaim() override;
    void Release() override;

private:
    std::vector<std::string> lockPaths_;
    int fd_ = -1;
};

}  // namespace zorun::host
