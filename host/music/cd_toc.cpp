// Positions on an audio CD: which track holds a sector, and the MCI time formats.
#include "host/music/cd_toc.h"

#include "host/music/mci_port.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace zorun::music {
namespace {

constexpr std::int32_t kFramesPerMinute = 60 * kCdFramesPerSecond;

std::string twoDigitFields(std::initializer_list<std::int32_t> fields)
{
    std::string text;
    char field[16];
    for (std::int32_t value : fields) {
        std::snprintf(field, sizeof field, text.empty() ? "%02d" : ":%02d", static_cast<int>(value));
        text += field;
    }
    return text;
}

// The colon-separated fields of a position, each a byte as MCI packs them.
std::optional<std::vector<std::int32_t>> splitFields(std::string_view text, std::size_t most)
{
    std::vector<std::int32_t> fields;
    while (true) {
        std::size_t colon = text.find(':');
        std::string_view part = text.substr(0, colon);
        unsigned value = 0;
        auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || ec != std::errc() || ptr != part.data() + part.size() || value > 255)
            return std::nullopt;
        fields.push_back(static_cast<std::int32_t>(value));
        if (colon == std::string_view::npos)
            break;
        text.remove_prefix(colon + 1);
    }
    if (fields.size() > most)
        return std::nullopt;
    fields.resize(most, 0);
    return fields;
}

}  // namespace

std::int32_t CdToc::endOf(std::size_t index) const
{
    return index + 1 < tracks.size() ? tracks[index + 1].start : leadout;
}

std::size_t CdToc::indexAt(std::int32_t sector) const
{
    std::size_t index = 0;
    while (index + 1 < tracks.size() && tracks[index + 1].start <= sector)
        ++index;
    return index;
}

std::size_t CdToc::indexOf(int number) const
{
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (tracks[i].number == number)
            return i;
    }
    return tracks.size();
}

std::string formatCdPosition(CdTimeFormat format, const CdToc& toc, std::int32_t sector)
{
    if (format == CdTimeFormat::Tmsf && !toc.tracks.empty()) {
        const CdTrack& track = toc.tracks[toc.indexAt(sector)];
        std::int32_t offset = sector > track.start ? sector - track.start : 0;
        return twoDigitFields(
            {track.number, offset / kFramesPerMinute, offset / kCdFramesPerSecond % 60, offset % kCdFramesPerSecond});
    }
    std::int32_t absolute = sector + kCdLeadInFrames;
    if (format == CdTimeFormat::Milliseconds)
        return std::to_string(static_cast<std::int64_t>(absolute) * 1000 / kCdFramesPerSecond);
    return twoDigitFields(
        {absolute / kFramesPerMinute, absolute / kCdFramesPerSecond % 60, absolute % kCdFramesPerSecond});
}

std::uint32_t parseCdPosition(CdTimeFormat format, const CdToc& toc, std::string_view text, std::int32_t& sector)
{
    std::int64_t position = 0;
    if (format == CdTimeFormat::Milliseconds) {
        std::uint32_t ms = 0;
        auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
        if (text.empty() || ec != std::errc() || ptr != text.data() + text.size())
            return kMcierrBadInteger;
        position = static_cast<std::int64_t>(ms) * kCdFramesPerSecond / 1000 - kCdLeadInFrames;
    } else {
        std::optional<std::vector<std::int32_t>> fields = splitFields(text, format == CdTimeFormat::Tmsf ? 4 : 3);
        if (!fields)
            return kMcierrBadInteger;
        const std::vector<std::int32_t>& f = *fields;
        if (format == CdTimeFormat::Tmsf) {
            std::size_t index = toc.indexOf(f[0]);
            if (index == toc.tracks.size())
                return kMcierrOutOfRange;
            position = toc.tracks[index].start + f[1] * kFramesPerMinute + f[2] * kCdFramesPerSecond + f[3];
        } else {
            position = f[0] * kFramesPerMinute + f[1] * kCdFramesPerSecond + f[2] - kCdLeadInFrames;
        }
    }
    if (toc.tracks.empty() || position < toc.tracks.front().start || position >= toc.leadout)
        return kMcierrOutOfRange;
    sector = static_cast<std::int32_t>(position);
    return 0;
}

}  // namespace zorun::music
