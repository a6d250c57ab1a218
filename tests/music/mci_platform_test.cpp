// The platform's MCI (winmm under Wine, ours on Linux) on the failures the music module meets.
#include "mci_port.h"
#include "mci_text.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace zorun::music {
namespace {

std::string errorText(MciPort& mci, std::uint32_t code) {
    char text[256] = "";
    return mci.mciGetErrorStringA(code, text, sizeof text) != 0 ? text : "(none)";
}

// Windows answers a command to an alias that is not open with MCIERR_INVALID_DEVICE_NAME.
void expectUnknownDevice(std::uint32_t code) {
#ifdef _WIN32
    // HACK: Wine first tries the unknown name as a file and answers MCIERR_EXTENSION_NOT_FOUND.
    EXPECT_TRUE(code == kMcierrInvalidDeviceName || code == 281) << code;
#else
    EXPECT_EQ(code, kMcierrInvalidDeviceName);
#endif
}

TEST(PlatformMci, UnknownAliasMissingFileAndNoCdDrive) {
    std::unique_ptr<MciPort> mci = openPlatformMci();
    char reply[512] = "";
    expectUnknownDevice(mci->mciSendStringA("status MP3Play mode", reply, sizeof reply));
    EXPECT_EQ(errorText(*mci, kMcierrInvalidDeviceName), mciErrorText(kMcierrInvalidDeviceName));

    testfs::TempDir dir;
    std::string open = "open \"" + (dir.path() / "no such.mp3").string() + "\" type MPEGVideo Alias MP3Play";
    std::uint32_t missing = mci->mciSendStringA(open.c_str(), nullptr, 0);
    std::printf("open of a missing file: %u %s\n", missing, errorText(*mci, missing).c_str());
#ifdef _WIN32
    // HACK: Wine's MPEGVideo answers every file it cannot render with MCIERR_INTERNAL.
    EXPECT_TRUE(missing == kMcierrFileNotFound || missing == kMcierrInternal) << missing;
#else
    EXPECT_EQ(missing, kMcierrFileNotFound);
#endif
    expectUnknownDevice(mci->mciSendStringA("play MP3Play", nullptr, 0));

    // No CD drive here: the CD path fails from its first command on.
    std::uint32_t cd = mci->mciSendStringA("open cdaudio", nullptr, 0);
    std::printf("open cdaudio: %u %s\n", cd, errorText(*mci, cd).c_str());
    EXPECT_EQ(cd, kMcierrCannotLoadDriver);
    EXPECT_NE(mci->mciSendStringA("status cdaudio current track", reply, sizeof reply), 0u);
}

#ifdef _WIN32
// The texts our own MCI gives on Linux are winmm's.
TEST(PlatformMci, OurErrorTextsAreWinmms) {
    std::unique_ptr<MciPort> mci = openPlatformMci();
    for (std::uint32_t code = 256; code < 512; ++code) {
        if (mciErrorText(code) != nullptr) {
            EXPECT_EQ(errorText(*mci, code), mciErrorText(code)) << code;
        }
    }
}
#endif

}  // namespace
}  // namespace zorun::music
