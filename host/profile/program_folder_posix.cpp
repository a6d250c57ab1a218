// The program's folder on Linux, from /proc/self/exe.
#include "host/profile/program_folder.h"

#include <unistd.h>

#include <vector>

namespace zorun {

const PathStyle& HostPathStyle()
{
    return kPosixPaths;
}

std::string ProgramFolder()
{
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size()) {
            std::string path(buffer.data(), static_cast<std::size_t>(length));
            const auto slash = path.rfind('/');
            if (slash == std::string::npos)
                return {};
            return path.substr(0, slash == 0 ? 1 : slash);
        }
        buffer.resize(buffer.size() * 2);  // readlink cuts silently: retry until the path fits
    }
}

}  // namespace zorun
