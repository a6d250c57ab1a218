// The platform's multimedia calls the music module makes: the MCI command strings, their error texts,
// the wave-out device count and looping a sound file. winmm on Windows, our own MCI on Linux.
#pragma once

#include <cstdint>
#include <memory>

namespace zorun::music {

// winmm's numbers, kept here so portable code never needs mmsystem.h.
inline constexpr std::uint32_t kSndSync = 0x0000;
inline constexpr std::uint32_t kSndAsync = 0x0001;
inline constexpr std::uint32_t kSndNoDefault = 0x0002;
inline constexpr std::uint32_t kSndLoop = 0x0008;
inline constexpr std::uint32_t kSndFilename = 0x00020000;

inline constexpr std::uint32_t kMcierrUnrecognizedKeyword = 259;
inline constexpr std::uint32_t kMcierrUnrecognizedCommand = 261;
inline constexpr std::uint32_t kMcierrInvalidDeviceName = 263;
inline constexpr std::uint32_t kMcierrCannotLoadDriver = 266;
inline constexpr std::uint32_t kMcierrMissingCommandString = 267;
inline constexpr std::uint32_t kMcierrParamOverflow = 268;
inline constexpr std::uint32_t kMcierrBadInteger = 270;
inline constexpr std::uint32_t kMcierrMissingParameter = 273;
inline constexpr std::uint32_t kMcierrFileNotFound = 275;
inline constexpr std::uint32_t kMcierrDeviceNotReady = 276;
inline constexpr std::uint32_t kMcierrInternal = 277;
inline constexpr std::uint32_t kMcierrOutOfRange = 282;
inline constexpr std::uint32_t kMcierrDuplicateAlias = 289;
inline constexpr std::uint32_t kMcierrMissingDeviceName = 292;
inline constexpr std::uint32_t kMcierrNoClosingQuote = 294;

/// The multimedia calls of the background music, shaped after winmm's ANSI calls. Texts are bytes in
/// the system's ANSI code page on Windows and file-system bytes on Linux.
class MciPort {
public:
    virtual ~MciPort() = default;

    /// mciSendStringA without a callback window: runs one command, writes its reply text (NUL-ended,
    /// at most replyLength bytes with the NUL) into reply when reply is not null. 0 or an MCI error code.
    virtual std::uint32_t mciSendStringA(const char* command, char* reply, unsigned replyLength) = 0;

    /// mciGetErrorStringA: the text of an MCI error code into text (at most textLength bytes with the
    /// NUL). Non-zero when the code is known and the text was written.
    virtual int mciGetErrorStringA(std::uint32_t code, char* text, unsigned textLength) = 0;

    /// waveOutGetNumDevs: how many wave-out devices there are; 0 when sound cannot be heard.
    virtual unsigned waveOutGetNumDevs() = 0;

    /// PlaySoundA with no module: starts the sound file (SND_ASYNC, SND_LOOP); a null sound stops the
    /// sound this process plays. Non-zero on success.
    virtual int PlaySoundA(const char* sound, std::uint32_t flags) = 0;
};

}  // namespace zorun::music
