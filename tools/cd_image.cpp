// Raw CD audio is 2352-byte sectors of little-endian 16-bit stereo samples, 75 sectors a second.
#include "tools/cd_image.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace zorun::tools {
namespace {

constexpr int kSampleRate = 44100;
constexpr int kSamplesPerSector = 588;
constexpr int kSectorsPerSecond = 75;

std::string msf(long sector)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", sector / (60 * kSectorsPerSecond),
                  sector / kSectorsPerSecond % 60, sector % kSectorsPerSecond);
    return text;
}

}  // namespace

bool writeCdImage(const std::string& cuePath, const std::vector<int>& frequencies, double secondsPerTrack)
{
    std::filesystem::path binPath = std::filesystem::path(cuePath).replace_extension(".bin");
    std::ofstream bin(binPath, std::ios::binary);
    std::ofstream cue(cuePath);
    if (!bin || !cue)
        return false;
    const long sectors = std::lround(secondsPerTrack * kSectorsPerSecond);
    cue << "FILE \"" << binPath.filename().string() << "\" BINARY\n";
    for (std::size_t track = 0; track < frequencies.size(); ++track) {
        char number[24];
        std::snprintf(number, sizeof number, "%02zu", track + 1);
        cue << "  TRACK " << number << " AUDIO\n    INDEX 01 " << msf(static_cast<long>(track) * sectors) << "\n";
        const double step = 2.0 * M_PI * frequencies[track] / kSampleRate;
        for (long i = 0; i < sectors * kSamplesPerSector; ++i) {
            auto sample = static_cast<std::int16_t>(std::lround(12000.0 * std::sin(step * static_cast<double>(i))));
            const char bytes[4] = {static_cast<char>(sample & 0xFF), static_cast<char>((sample >> 8) & 0xFF),
                                   static_cast<char>(sample & 0xFF), static_cast<char>((sample >> 8) & 0xFF)};
            bin.write(bytes, sizeof bytes);
        }
    }
    return static_cast<bool>(bin.flush()) && static_cast<bool>(cue.flush());
}

}  // namespace zorun::tools
