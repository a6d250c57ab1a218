// Settings files written and read back byte for byte in the tests.
#include "ini_files.h"

#include <fstream>
#include <iterator>

namespace testfs {

void writeText(const std::string& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string readText(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::string& file)
{
    return std::ifstream(file, std::ios::binary).good();
}

}  // namespace testfs
