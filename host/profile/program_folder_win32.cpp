// The program's folder on Windows, from GetModuleFileNameA.
#include "host/profile/program_folder.h"

#include <windows.h>

#include <vector>

namespace zorun {

namespace {
bool isAnsiLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}
}  // namespace

const PathStyle& HostPathStyle()
{
    // Paths pass in the system's ANSI code page, whichever that is.
    static const PathStyle style{'\\', ":\\", isAnsiLeadByte};
    return style;
}

std::string ProgramFolder()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            std::string path(buffer.data(), length);
            const auto backslash = path.rfind('\\');
            if (backslash == std::string::npos)
                return {};
            // At a drive root the folder keeps its backslash ("C:\"), as the settings path expects.
            const bool driveRoot = backslash == 2 && path[1] == ':';
            return path.substr(0, driveRoot ? 3 : backslash);
        }
        buffer.resize(buffer.size() * 2);  // the name was cut: retry with room for a long path
    }
}

}  // namespace zorun
