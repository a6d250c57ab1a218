// Per-user base folders on Linux, by the XDG base directory rules; the texture and the settings use them.
#pragma once

#include <string>

namespace zorun {

/// The home folder: HOME, or the password database's entry of the user when HOME is unset or empty.
/// Empty when neither knows one.
std::string homeFolder();

/// The folder named by the environment variable when it holds an absolute path (a relative one is
/// invalid and ignored), else the home folder followed by "/" and underHome (".cache", ".config"). HOME
/// comes from the password database when it is unset. Empty when no home folder can be found.
std::string userBaseFolder(const char* variable, const char* underHome);

}  // namespace zorun
