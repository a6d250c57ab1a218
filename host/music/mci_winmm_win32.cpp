// The music calls on Windows: straight through to winmm.
#include "host/music/mci_winmm_win32.h"

#include <windows.h>
#include <mmsystem.h>

namespace zorun::music {
namespace {

class WinmmMci final : public MciPort {
public:
    std::uint32_t mciSendStringA(const char* command, char* reply, unsigned replyLength) override
    {
        return ::mciSendStringA(command, reply, replyLength, nullptr);
    }
    int mciGetErrorStringA(std::uint32_t code, char* text, unsigned textLength) override
    {
        return ::mciGetErrorStringA(code, text, textLength);
    }
    unsigned waveOutGetNumDevs() override { return ::waveOutGetNumDevs(); }
    int PlaySoundA(const char* sound, std::uint32_t flags) override { return ::PlaySoundA(sound, nullptr, flags); }
};

}  // namespace

std::unique_ptr<MciPort> createWin32Mci()
{
    return std::make_unique<WinmmMci>();
}

}  // namespace zorun::music
