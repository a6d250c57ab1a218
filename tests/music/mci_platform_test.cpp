// The platform's MCI (winmm under Wine, ours on Linux) on the failures the music module meets.
#include "mci_port.h"
#include "mci_text.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

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

// One second of 8 kHz 8-bit mono silence as a PCM WAV file.
void writeSilence(const std::string& path) {
    const std::uint32_t samples = 8000;
    auto le = [](std::ofstream& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.put(char((value >> (8 * i)) & 0xff));
    };
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    le(out, 36 + samples, 4);
    out << "WAVEfmt ";
    for (std::uint32_t v : {16u, 1u, 1u, 8000u, 8000u, 1u, 8u}) le(out, v, v == 16u || v == 8000u ? 4 : 2);
    out << "data";
    le(out, samples, 4);
    out << std::string(samples, char(0x80));
}

// The mode words of MPEGVideo through a file's life, the same on both platforms.
TEST(PlatformMci, ModesOfAFileThatPlaysToItsEnd) {
    std::unique_ptr<MciPort> mci = openPlatformMci();
    testfs::TempDir dir;
    std::string file = (dir.path() / "a b.wav").string();
    writeSilence(file);
    std::uint32_t opened = mci->mciSendStringA(("open \"" + file + "\" type MPEGVideo Alias MP3Play").c_str(), nullptr, 0);
    if (opened != 0) GTEST_SKIP() << "this platform cannot play the file here: " << errorText(*mci, opened);
    auto mode = [&] {
        char reply[30] = "";
        return mci->mciSendStringA("status MP3Play mode", reply, sizeof reply) == 0 ? std::string(reply) : "error";
    };
    EXPECT_EQ(mode(), "stopped");
    EXPECT_EQ(mci->mciSendStringA("play MP3Play", nullptr, 0), 0u);
    EXPECT_EQ(mode(), "playing");
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
        ended = mode() == "stopped";
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(mci->mciSendStringA("stop MP3Play", nullptr, 0), 0u);
    EXPECT_EQ(mci->mciSendStringA("play MP3Play from 0", nullptr, 0), 0u);
    EXPECT_EQ(mode(), "playing");
    EXPECT_EQ(mci->mciSendStringA("close MP3Play", nullptr, 0), 0u);
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
