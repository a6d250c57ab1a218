// The Windows store of several keys with the call that stores one key given, so that tests can fail it.
#pragma once

#include "host/profile/profile_strings.h"

namespace zorun::profile {

/// Stores one key as WritePrivateProfileStringA does; false (with GetLastError set) when it could not.
using KeyWriter = bool (*)(const char* section, const char* key, const char* value, const char* file);

/// writeStrings, storing each key with writeKey.
bool writeStrings(const std::string& section, const KeyValues& values, const std::string& file, std::string& reason,
                  KeyWriter writeKey);

}  // namespace zorun::profile
