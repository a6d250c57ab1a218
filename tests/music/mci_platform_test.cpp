// The platform's MCI (winmm under Wine, ours on Linux) on the failures the music module meets.
#include "host/music/mci_text.h"
#include "temp_dir.h"

#ifdef _WIN32
#include "host/music/mci_winmm_win32.h"
#else
#include "host/music/mci_gst.h"
#endif

#include <gtest/gtest.h>

namespace zorun::music {
namespace {

#ifdef _WIN32
constexpr bool kWinmm = true;
constexpr auto platformMci = createWin32Mci;
#else
constexpr bool kWinmm = false;
constexpr auto platformMci = createGstMci;
#endif

std::string errorText(MciPort& mci, std::uint32_t code)
{
    char text[256] = "";
    return mci.mciGetErrorStringA(code, text, sizeof text) != 0 ? text : "(none)";
}

TEST(PlatformMci, UnknownAliasMissingFileAndNoCdDrive)
{
    std::unique_ptr<MciPort> mci = platformMci();
    char reply[512] = "";
    // HACK: Wine first tries an unknown alias as a file and may answer MCIERR_EXTENSION_NOT_FOUND (281);
    // its MPEGVideo answers every file it cannot render with MCIERR_INTERNAL.
    const auto unknownDevice = [](std::uint32_t code) {
        EXPECT_TRUE(code == kMcierrInvalidDeviceName || (kWinmm && code == 281)) << code;
    };
    unknownDevice(mci->mciSendStringA("status MP3Play mode", reply, sizeof reply));
    EXPECT_EQ(errorText(*mci, kMcierrInvalidDeviceName), mciErrorText(kMcierrInvalidDeviceName));

    testfs::TempDir dir;
    std::string open = "open \"" + (dir.path() / "no such.mp3").string() + "\" type MPEGVideo Alias MP3Play";
    std::uint32_t missing = mci->mciSendStringA(open.c_str(), nullptr, 0);
    EXPECT_TRUE(missing == kMcierrFileNotFound || (kWinmm && missing == kMcierrInternal)) << missing;
    unknownDevice(mci->mciSendStringA("play MP3Play", nullptr, 0));

    // No CD drive here: the CD path fails from its first command on.
    EXPECT_EQ(mci->mciSendStringA("open cdaudio", nullptr, 0), kMcierrCannotLoadDriver);
    EXPECT_NE(mci->mciSendStringA("status cdaudio current track", reply, sizeof reply), 0u);

    if (!kWinmm)
        return;
    // The texts our own MCI gives on Linux must be winmm's.
    for (std::uint32_t code = 256; code < 512; ++code)
        if (mciErrorText(code) != nullptr) {
            EXPECT_EQ(errorText(*mci, code), mciErrorText(code)) << code;
        }
}

}  // namespace
}  // namespace zorun::music
