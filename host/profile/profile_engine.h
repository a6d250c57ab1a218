// Reading and editing INI text the way the Windows profile-string calls do, on bytes in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorun::profile {

/// True when two section or key names are the same but for the case of ASCII letters. Names are in
/// code page 932: the second byte of a double-byte character is compared exactly, never folded.
bool sameName(std::string_view a, std::string_view b);

/// The value of key in the first section named section of an INI text, with the blanks around it and
/// one pair of matching surrounding quotes removed; nothing when the section or the key is missing.
std::optional<std::string> findValue(std::string_view text, std::string_view section, std::string_view key);

/// The INI text with key in section set to value. Only the key's line changes (to name=value), or one
/// line is added at the end of the section, or the section is added at the end of the text; every
/// other byte stays. Added lines end in CR LF.
std::string setValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

/// False when storing these texts would add or break lines of the file (a CR or LF in any of them), or
/// would make the key unreadable (an "=" in it, an empty key or section name, a key that reads as a
/// section header).
bool storable(std::string_view section, std::string_view key, std::string_view value);

/// Copies text into buffer as the profile calls do: cut to size - 1 bytes, ended with a NUL; returns the
/// bytes copied. Nothing is written when buffer is null or size is 0.
std::uint32_t copyOut(std::string_view text, char* buffer, std::uint32_t size);

/// The default value as the read call uses it: null is empty, trailing blanks are dropped.
std::string_view usableDefault(const char* def);

}  // namespace zorun::profile
