// What the cdaudio device needs of a CD drive: the disc's table of contents and playing its sectors.
#pragma once

#include "host/music/cd_toc.h"

#include <cstdint>

namespace zorun::music {

/// A CD drive (or a disc image standing in for one). Every call returns at once: a drive that is slow
/// to spin up answers Opening meanwhile, and plays what it was last asked to once it can.
class CdDrive {
public:
    enum class State { Opening, NoDisc, TrayOpen, Ready };

    virtual ~CdDrive() = default;

    virtual State state() = 0;
    /// The disc's tracks; only while Ready.
    virtual const CdToc& toc() = 0;
    /// Plays the sectors from..to-1 in the background, from a run of audio tracks.
    virtual void play(std::int32_t from, std::int32_t to) = 0;
    /// Stops the sound where it is.
    virtual void hold() = 0;
    /// The sector being played, or where the last play was held or ended.
    virtual std::int32_t position() = 0;
    /// True once the last play has reached its end (or the drive failed while reading).
    virtual bool playedToEnd() = 0;
};

}  // namespace zorun::music
