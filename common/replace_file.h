// Replacing a file whole, so that a reader never sees half of it and a failure leaves the old one (POSIX).
#pragma once

#include <cstddef>
#include <string>

namespace zorun {

/// Writes size bytes into a new file beside path, flushes it to disk and renames it over path, with the
/// permission bits mode. A link planted at path is replaced, not written through. False (the old file
/// untouched, no temporary file left) when any step fails; errno then tells why.
bool replaceFile(const std::string& path, const void* bytes, std::size_t size, unsigned mode);

}  // namespace zorun
