// Files written and read byte for byte for the settings tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace testfs {

inline void writeText(const std::string& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline std::string readText(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// The Windows build's profile calls are kernel32's, here Wine's, which rewrites the whole file where
/// Windows edits one line: only our own engine's bytes are worth pinning.
#ifdef _WIN32
inline constexpr bool kSystemProfileCalls = true;
#else
inline constexpr bool kSystemProfileCalls = false;
#endif

}  // namespace testfs
