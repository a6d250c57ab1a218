// Files written and read byte for byte, and whether Wine stands in for Windows, for the settings tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace testfs {

inline void writeText(const std::string& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline std::string readText(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// True in a Windows program under Wine, which rewrites whole INI files where Windows edits one line.
bool runningUnderWine();

}  // namespace testfs
