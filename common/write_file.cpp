// A file written whole with the C runtime, so it behaves alike on Linux and Windows.
#include "common/write_file.h"

#include <cstdio>

namespace zorun {

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    // An empty vector's data() may be null, which fwrite must not be given.
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace zorun
