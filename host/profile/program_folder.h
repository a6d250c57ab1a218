// Where the host program lives, and how this platform spells paths.
#pragma once

#include <string>
#include <string_view>

namespace zorun {

/// True for a byte that opens a two-byte character of code page 932; its second byte may be any of
/// 0x40 to 0xFC, the backslash (0x5C) among them.
constexpr bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

/// For encodings (UTF-8) in which no byte of a multibyte character looks like ASCII.
constexpr bool NoLeadBytes(unsigned char)
{
    return false;
}

/// The separator this platform puts between folders, every character after which a file name starts
/// (on Windows also the colon of a drive), and the lead bytes of the encoding paths are in: the second
/// byte of a double-byte character is never a separator, even when it has the separator's value.
struct PathStyle {
    char separator;
    std::string_view nameBreaks;
    bool (*isLeadByte)(unsigned char);
};

inline constexpr PathStyle kWindowsJapanesePaths{'\\', ":\\", IsCp932LeadByte};
inline constexpr PathStyle kPosixPaths{'/', "/", NoLeadBytes};

/// The path conventions of the platform the host runs on.
const PathStyle& HostPathStyle();

/// The folder of the running program, without a trailing separator except at a drive or file-system
/// root ("C:\", "/"); empty when the platform cannot tell.
std::string ProgramFolder();

}  // namespace zorun
