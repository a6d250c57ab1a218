// Writing a file's bytes in one go, for the pictures the host and the tools make.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorun {

/// Creates or truncates path and writes bytes to it; false unless the whole file was written and closed.
bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace zorun
