// The argument text of a Windows command line, as the host's startup reads it.
#pragma once

#include <string>
#include <string_view>

namespace zorun::host {

/// What follows the program's name in a whole command line (GetCommandLineA): the name (quoted: up to
/// its closing quote) and the blanks after it are skipped; the rest is kept as it stands.
std::string ArgumentText(std::string_view commandLine);

}  // namespace zorun::host
