// What the settings tests may pin of a settings file on each build.
#pragma once

#ifndef _WIN32
#include <unistd.h>
#endif

namespace testfs {

/// The Windows build's profile calls are kernel32's, here Wine's, which rewrites the whole file where
/// Windows edits one line: only our own engine's bytes are worth pinning.
#ifdef _WIN32
inline constexpr bool kSystemProfileCalls = true;
#else
inline constexpr bool kSystemProfileCalls = false;
#endif

/// True where this process writes files and folders whatever their permissions say: root on Linux. A
/// read-only attribute stops everybody on Windows.
inline bool writesReadOnlyFiles()
{
#ifdef _WIN32
    return false;
#else
    return geteuid() == 0;
#endif
}

}  // namespace testfs
