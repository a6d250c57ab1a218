// Temporary folders for tests and an open-handle probe.
#include "temp_dir.h"

#include "common/write_file.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <system_error>

namespace testfs {

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("zorun-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    const std::string file = (path_ / name).string();
    zorun::writeWholeFile(file, bytes);
    return file;
}

void writeText(const std::string& file, const std::string& text)
{
    zorun::writeWholeFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string readText(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isClosedByThisProcess(const std::string& file)
{
    std::error_code error;
#ifdef _WIN32
    const std::filesystem::path original(file);
    const std::filesystem::path moved = original.string() + ".probe";
    std::filesystem::rename(original, moved, error);
    if (error)
        return false;
    std::filesystem::rename(moved, original, error);
    return true;
#else
    const auto target = std::filesystem::canonical(file, error);
    if (error)
        return true;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code linkError;
        if (std::filesystem::read_symlink(entry.path(), linkError) == target)
            return false;
    }
    return true;
#endif
}

}  // namespace testfs
