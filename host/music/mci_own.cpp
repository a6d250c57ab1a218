// Our own MCI: the command strings routed to their devices, aliases, and PlaySound, answered as winmm does.
#include "host/music/mci_own.h"

#include "common/ascii.h"
#include "host/music/mci_cdaudio.h"
#include "host/music/mci_mpegvideo.h"
#include "host/music/mci_text.h"

#include <chrono>
#include <thread>

namespace zorun::music {

OwnMci::OwnMci(std::unique_ptr<SoundSystem> sound) : system_(std::move(sound)), ready_(system_->ready()) {}

OwnMci::~OwnMci() = default;

std::uint32_t OwnMci::mciSendStringA(const char* command, char* reply, unsigned replyLength)
{
    if (reply != nullptr && replyLength > 0)
        reply[0] = '\0';
    std::vector<std::string> words;
    std::uint32_t error = splitMciCommand(command == nullptr ? "" : command, words);
    if (error != 0)
        return error;
    if (words.empty())
        return kMcierrMissingCommandString;
    const std::string& verb = words[0];
    if (words.size() >= 2 && sameMciWord(words[1], "cdaudio") && !sameMciWord(verb, "open"))
        return cdCommand(words, reply, replyLength);
    bool known = false;
    for (const char* name : {"open", "play", "stop", "pause", "resume", "close", "status"}) {
        known = known || sameMciWord(verb, name);
    }
    if (!known)
        return kMcierrUnrecognizedCommand;
    if (words.size() < 2)
        return kMcierrMissingDeviceName;
    if (sameMciWord(verb, "open"))
        return open(words);

    auto device = devices_.find(ascii::toLower(words[1]));
    if (device == devices_.end())
        return kMcierrInvalidDeviceName;
    if (!sameMciWord(verb, "close"))
        return device->second->command(words, reply, replyLength);
    if (words.size() != 2)
        return kMcierrUnrecognizedKeyword;
    devices_.erase(device);
    return 0;
}

int OwnMci::mciGetErrorStringA(std::uint32_t code, char* text, unsigned textLength)
{
    return copyMciErrorText(code, text, textLength);
}

unsigned OwnMci::waveOutGetNumDevs()
{
    return ready_ && system_->outputIsDevice() ? 1 : 0;
}

int OwnMci::PlaySoundA(const char* sound, std::uint32_t flags)
{
    sound_.reset();
    if (sound == nullptr)
        return 1;
    // Only files: no system sounds by name, no resources, and no default sound to fall back on.
    if (!ready_ || ((flags & kSndLoop) != 0 && (flags & kSndAsync) == 0))
        return 0;
    std::unique_ptr<SoundPlayer> player;
    if (system_->openFile(sound, (flags & kSndLoop) != 0, player) != 0)
        return 0;
    auto device = std::make_unique<MpegVideoDevice>(std::move(player));
    if (device->play(std::nullopt) != 0)
        return 0;
    if ((flags & kSndAsync) == 0) {
        while (!device->ended())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return 1;
    }
    sound_ = std::move(device);
    return 1;
}

bool OwnMci::soundIsPlaying()
{
    return sound_ != nullptr && sound_->playing();
}

std::uint32_t OwnMci::open(const std::vector<std::string>& words)
{
    const std::string& element = words[1];
    std::string type;
    std::string alias = element;
    for (std::size_t i = 2; i < words.size(); ++i) {
        bool hasValue = i + 1 < words.size();
        if (sameMciWord(words[i], "type") && hasValue) {
            type = words[++i];
        } else if (sameMciWord(words[i], "alias") && hasValue) {
            alias = words[++i];
        } else if (sameMciWord(words[i], "type") || sameMciWord(words[i], "alias")) {
            return kMcierrMissingParameter;
        } else if (!sameMciWord(words[i], "shareable")) {
            return kMcierrUnrecognizedKeyword;
        }
    }
    if (sameMciWord(element, "cdaudio") || sameMciWord(type, "cdaudio"))
        return openCd(alias);
    // A file opened without a type goes to the same player whatever its extension.
    if (!type.empty() && !sameMciWord(type, "MPEGVideo"))
        return kMcierrInvalidDeviceName;
    if (!ready_)
        return kMcierrCannotLoadDriver;
    std::string key = ascii::toLower(alias);
    if (devices_.count(key) != 0)
        return kMcierrDuplicateAlias;
    std::unique_ptr<SoundPlayer> player;
    std::uint32_t result = system_->openFile(element, false, player);
    if (result != 0)
        return result;
    devices_.emplace(key, std::make_unique<MpegVideoDevice>(std::move(player)));
    return 0;
}

std::uint32_t OwnMci::openCd(const std::string& alias)
{
    // One CD device, under its own name: the music module opens it no other way.
    if (!sameMciWord(alias, "cdaudio"))
        return kMcierrUnrecognizedKeyword;
    if (cd_ != nullptr)
        return kMcierrDuplicateAlias;
    std::unique_ptr<CdDrive> drive = ready_ ? system_->openCdDrive() : nullptr;
    if (drive == nullptr)
        return kMcierrCannotLoadDriver;
    cd_ = std::make_unique<CdAudioDevice>(std::move(drive));
    return 0;
}

std::uint32_t OwnMci::cdCommand(const std::vector<std::string>& words, char* reply, unsigned replyLength)
{
    if (cd_ == nullptr) {
        // winmm would open the device for this one command; ours needs time to read the disc first.
        return ready_ && system_->cdDriveAvailable() ? kMcierrDeviceNotReady : kMcierrCannotLoadDriver;
    }
    if (sameMciWord(words[0], "close")) {
        if (words.size() != 2)
            return kMcierrUnrecognizedKeyword;
        cd_.reset();
        return 0;
    }
    return cd_->command(words, reply, replyLength);
}

}  // namespace zorun::music
