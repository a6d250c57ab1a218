// Which of several saver runs drawing at once, one per monitor, plays the music.
#pragma once

namespace zorun::host {

/// One claim shared by every run of the same user: the run holding it is the one that plays. Several runs
/// that start at the same moment never both get it, and a run that ends gives it back, killed or not.
class MusicClaim {
public:
    virtual ~MusicClaim() = default;

    /// Takes the claim unless another run holds it, without waiting; true when this run holds it now.
    virtual bool TryClaim() = 0;
    /// Gives the claim back; nothing when this run does not hold it.
    virtual void Release() = 0;
};

}  // namespace zorun::host
