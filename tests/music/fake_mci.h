// A stand-in for winmm that records every call and answers from a script, as winmm would.
#pragma once

#include "host/music/mci_port.h"
#include "host/music/mci_text.h"

#include <map>
#include <string>
#include <vector>

namespace zorun::music::testing {

class FakeMci final : public MciPort {
public:
    struct Answer {
        std::uint32_t result = 0;
        std::string reply;
    };
    /// Commands not in the script succeed and write no reply, as winmm's do that return no value.
    std::map<std::string, Answer> script;
    unsigned waveOutDevices = 1;
    /// Each command, with " [n]" for a reply buffer of n; "waveOutGetNumDevs"; "PlaySoundA <file> <flags>".
    std::vector<std::string> calls;

    std::uint32_t mciSendStringA(const char* command, char* reply, unsigned length) override
    {
        calls.push_back(command + (reply ? " [" + std::to_string(length) + "]" : std::string()));
        auto it = script.find(command);
        if (it == script.end())
            return 0;
        // On failure winmm leaves the buffer as it was.
        return it->second.result != 0 ? it->second.result : copyMciReply(it->second.reply, reply, length);
    }
    int mciGetErrorStringA(std::uint32_t code, char* text, unsigned length) override
    {
        return copyMciErrorText(code, text, length);
    }
    unsigned waveOutGetNumDevs() override
    {
        calls.push_back("waveOutGetNumDevs");
        return waveOutDevices;
    }
    int PlaySoundA(const char* sound, std::uint32_t flags) override
    {
        calls.push_back("PlaySoundA " + std::string(sound ? sound : "null") + " " + std::to_string(flags));
        return 1;
    }
};

}  // namespace zorun::music::testing
