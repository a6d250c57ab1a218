// Sends arbitrary MCI command strings, one per line, to our own MCI on GStreamer.
// Only names inside a scratch folder holding one short sound can be opened: a fuzzer must not play
// (or wait on) whatever else the machine holds, so inputs naming other folders are skipped. The fuzzer
// works in that folder: give it the corpus folder and -artifact_prefix as absolute paths.
#include "host/music/mci_gst.h"
#include "host/music/mci_own.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// A RIFF wave of 0.05 s of silence, 8 kHz mono 8-bit, in a folder of the fuzzer's own.
void enterScratchFolder()
{
    static bool entered = false;
    if (entered)
        return;
    entered = true;
    char folder[] = "/tmp/zorun-mci-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr || chdir(folder) != 0)
        std::abort();
    const unsigned samples = 400;
    std::string wave = "RIFF";
    const auto put32 = [&](unsigned v) {
        for (int i = 0; i < 4; ++i)
            wave += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const auto put16 = [&](unsigned v) {
        wave += static_cast<char>(v & 0xFF);
        wave += static_cast<char>((v >> 8) & 0xFF);
    };
    put32(36 + samples);
    wave += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(8000);
    put16(1);
    put16(8);
    wave += "data";
    put32(samples);
    wave.append(samples, static_cast<char>(0x80));
    std::FILE* file = std::fopen("a.wav", "wb");
    if (file == nullptr)
        std::abort();
    std::fwrite(wave.data(), 1, wave.size(), file);
    std::fclose(file);
    setenv("ZORUN_AUDIO_SINK", "fakesink", 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    enterScratchFolder();
    FuzzedDataProvider input(data, size);
    const unsigned replyLength = input.ConsumeIntegralInRange<unsigned>(0, 300);
    const std::string commands = input.ConsumeRemainingBytesAsString();
    if (commands.find('/') != std::string::npos || commands.find('~') != std::string::npos)
        return 0;
    zorun::music::OwnMci mci(zorun::music::createGstSoundSystem());
    std::string reply(replyLength + 1, '\x7f');
    std::size_t start = 0;
    for (int count = 0; start <= commands.size() && count < 8; ++count) {
        std::size_t end = commands.find('\n', start);
        if (end == std::string::npos)
            end = commands.size();
        const std::string command = commands.substr(start, end - start);
        mci.mciSendStringA(command.c_str(), replyLength > 0 ? reply.data() : nullptr, replyLength);
        // The reply never runs past the length it was given.
        if (reply[replyLength] != '\x7f')
            std::abort();
        char text[128];
        mci.mciGetErrorStringA(static_cast<std::uint32_t>(command.size()), text, sizeof text);
        start = end + 1;
    }
    return 0;
}
