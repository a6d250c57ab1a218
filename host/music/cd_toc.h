// An audio CD's table of contents and the MCI time formats its positions are written in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorun::music {

/// Sectors (frames) of a CD: 75 a second, numbered from the start of the program area.
inline constexpr std::int32_t kCdFramesPerSecond = 75;
/// The two seconds of lead-in that absolute (MSF) disc addresses count and sector numbers do not.
inline constexpr std::int32_t kCdLeadInFrames = 150;

struct CdTrack {
    int number = 0;
    std::int32_t start = 0;  ///< first sector
    bool audio = true;
};

/// Every track of the disc, data tracks included, in disc order.
struct CdToc {
    std::vector<CdTrack> tracks;
    std::int32_t leadout = 0;  ///< the first sector after the last track

    /// The sector after the track at index.
    std::int32_t endOf(std::size_t index) const;
    /// Index of the track that holds sector (the first track for a sector before it).
    std::size_t indexAt(std::int32_t sector) const;
    /// Index of the track with this number, or tracks.size().
    std::size_t indexOf(int number) const;
};

/// The time formats "set <device> time format" knows for a CD.
enum class CdTimeFormat { Msf, Tmsf, Milliseconds };

/// A position as "status … position" writes it: "tt:mm:ss:ff", "mm:ss:ff" or milliseconds, two digits
/// a field. Absolute formats count the lead-in, as the drive's addresses do.
std::string formatCdPosition(CdTimeFormat format, const CdToc& toc, std::int32_t sector);

/// Reads a position given to "play … from": colon-separated decimal fields of at most 255, trailing
/// fields left out count as 0 ("2" is the start of track 2). 0 and the sector; MCIERR_BAD_INTEGER for
/// text that does not parse; MCIERR_OUTOF_RANGE for a track that is not on the disc or a position
/// outside its tracks.
std::uint32_t parseCdPosition(CdTimeFormat format, const CdToc& toc, std::string_view text, std::int32_t& sector);

}  // namespace zorun::music
