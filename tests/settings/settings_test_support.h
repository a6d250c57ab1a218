// What the settings tests may pin of a settings file on each build.
#pragma once

namespace testfs {

/// The Windows build's profile calls are kernel32's, here Wine's, which rewrites the whole file where
/// Windows edits one line: only our own engine's bytes are worth pinning.
#ifdef _WIN32
inline constexpr bool kSystemProfileCalls = true;
#else
inline constexpr bool kSystemProfileCalls = false;
#endif

}  // namespace testfs
