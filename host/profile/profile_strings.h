// The platform's profile-string calls (INI files), the only way the host reads and writes its settings.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zorun::profile {

/// Keys of one section and the values to store under them, in the order they are written.
using KeyValues = std::vector<std::pair<std::string, std::string>>;

/// Copies the value of key in section of file into buffer, or def (without its trailing blanks) when
/// the file, the section or the key is missing; cuts it to size - 1 bytes and ends it with a NUL.
/// Returns the number of bytes copied, the NUL not counted. Shaped after GetPrivateProfileStringA.
std::uint32_t getString(const char* section, const char* key, const char* def, char* buffer, std::uint32_t size,
                        const char* file);

/// Sets key in section of file to value, creating the file, the section and the key as needed and
/// leaving the rest of the file as it was. False when it could not be stored; the file is then
/// unchanged. Shaped after WritePrivateProfileStringA, without its deleting forms: none may be null.
bool writeString(const char* section, const char* key, const char* value, const char* file);

/// Sets every key of values in section of file as one store: afterwards the file holds all of them, or
/// the bytes it had before. A file this user may not write (read-only) is left alone, on every
/// platform. False when they could not be stored; reason then holds the system's words for why (UTF-8).
bool writeStrings(const std::string& section, const KeyValues& values, const std::string& file, std::string& reason);

}  // namespace zorun::profile
