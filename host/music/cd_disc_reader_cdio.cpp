// libcdio for the drive and the table of contents; its messages are silenced, as the music is.
#include "host/music/cd_disc_reader.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>

#include <cstdlib>

namespace zorun::music {
namespace {

void dropMessage(cdio_log_level_t, const char*) {}

void silenceCdio()
{
    static const bool silenced = (cdio_log_set_handler(&dropMessage), true);
    (void)silenced;
}

}  // namespace

std::string defaultCdDevice()
{
    silenceCdio();
    char* device = cdio_get_default_device(nullptr);
    std::string name = device != nullptr ? device : "";
    std::free(device);
    return name;
}

CdDiscReading readCdDisc(const std::string& device)
{
    silenceCdio();
    CdDiscReading reading;
    CdIo_t* cdio = cdio_open(device.c_str(), DRIVER_UNKNOWN);
    if (cdio == nullptr)
        return reading;
    track_t first = cdio_get_first_track_num(cdio);
    track_t last = cdio_get_last_track_num(cdio);
    if (first != CDIO_INVALID_TRACK && last != CDIO_INVALID_TRACK && first <= last) {
        for (track_t number = first; number <= last; ++number) {
            lsn_t start = cdio_get_track_lsn(cdio, number);
            if (start == CDIO_INVALID_LSN)
                break;
            reading.toc.tracks.push_back({number, start, cdio_get_track_format(cdio, number) == TRACK_FORMAT_AUDIO});
        }
        reading.toc.leadout = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    }
    if (!reading.toc.tracks.empty() && reading.toc.tracks.size() == static_cast<std::size_t>(last - first + 1) &&
        reading.toc.leadout > reading.toc.tracks.back().start) {
        reading.state = CdDrive::State::Ready;
    } else {
        reading.toc = {};
        // Only a real drive can say that its tray is out; an image without tracks is just no disc.
        if (mmc_get_tray_status(cdio) == 1)
            reading.state = CdDrive::State::TrayOpen;
    }
    cdio_destroy(cdio);
    return reading;
}

}  // namespace zorun::music
