// The profile-string calls on Windows: kernel32 itself.
#include "host/profile/profile_strings.h"

#include <windows.h>

namespace zorun::profile {

std::uint32_t getString(const char* section, const char* key, const char* def, char* buffer, std::uint32_t size,
                        const char* file)
{
    return GetPrivateProfileStringA(section, key, def, buffer, size, file);
}

bool writeString(const char* section, const char* key, const char* value, const char* file)
{
    if (section == nullptr || key == nullptr || value == nullptr)
        return false;  // the null forms delete keys and sections, which this port does not offer
    return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

}  // namespace zorun::profile
