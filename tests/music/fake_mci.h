// A stand-in for winmm that records every call and answers from a script, as winmm would.
#pragma once

#include "mci_port.h"
#include "mci_text.h"

#include <cstdint>
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
    struct Call {
        std::string what;        ///< the command string, or "waveOutGetNumDevs", or "PlaySoundA <file|null> <flags>"
        unsigned bufferLength;   ///< the reply buffer's length; 0 when none was passed
    };

    /// Every command not in the script succeeds and writes no reply, as a command without a return
    /// value may do.
    std::map<std::string, Answer> script;
    unsigned waveOutDevices = 1;
    std::vector<Call> calls;

    std::vector<std::string> commands() const {
        std::vector<std::string> out;
        for (const Call& call : calls) out.push_back(call.what);
        return out;
    }

    std::uint32_t mciSendStringA(const char* command, char* reply, unsigned replyLength) override {
        calls.push_back({command, reply == nullptr ? 0 : replyLength});
        auto it = script.find(command);
        if (it == script.end()) return 0;
        if (it->second.result != 0) return it->second.result;  // winmm leaves the buffer alone then
        return copyMciReply(it->second.reply, reply, replyLength);
    }
    int mciGetErrorStringA(std::uint32_t code, char* text, unsigned textLength) override {
        return copyMciErrorText(code, text, textLength);
    }
    unsigned waveOutGetNumDevs() override {
        calls.push_back({"waveOutGetNumDevs", 0});
        return waveOutDevices;
    }
    int PlaySoundA(const char* sound, std::uint32_t flags) override {
        calls.push_back({"PlaySoundA " + std::string(sound == nullptr ? "null" : sound) + " " +
                             std::to_string(flags),
                         0});
        return 1;
    }
};

}  // namespace zorun::music::testing
