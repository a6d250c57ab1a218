// A test audio CD as a disc image: a .cue sheet and its .bin of raw CD audio, one pure tone per track.
#pragma once

#include <string>
#include <vector>

namespace zorun::tools {

/// Writes cuePath and, beside it, the .bin of the same name: one audio track per frequency (Hz), each
/// a sine tone of the given length (whole sectors, 44.1 kHz 16-bit stereo). False when a file cannot be
/// written.
bool writeCdImage(const std::string& cuePath, const std::vector<int>& frequencies, double secondsPerTrack);

}  // namespace zorun::tools
