// A folder of its own for each test, removed afterwards, and a check that the code closed a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testfs {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// Writes the bytes to name inside the folder and returns the full path as text.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path path_;
};

/// Files written and read byte for byte.
void writeText(const std::string& file, const std::string& text);
std::string readText(const std::string& file);

/// True when this process holds no open handle on the file. On Linux it looks through /proc/self/fd;
/// on Windows (and Wine) a file opened by the C runtime cannot be renamed while it is open.
bool isClosedByThisProcess(const std::string& file);

}  // namespace testfs
