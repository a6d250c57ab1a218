// Settings files written and read back byte for byte in the tests.
#pragma once

#include <string>

namespace testfs {

/// Writes text to file as it stands (no line-end translation).
void writeText(const std::string& file, const std::string& text);
/// The bytes of file; empty when it cannot be read.
std::string readText(const std::string& file);
/// True when file exists.
bool exists(const std::string& file);

}  // namespace testfs
