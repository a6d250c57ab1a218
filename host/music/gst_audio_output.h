// Where our own MCI's sound goes on GStreamer: the system's sound server or card, or a stand-in.
#pragma once

// GStreamer's own declaration, so that this header needs none of its headers.
typedef struct _GstElement GstElement;

namespace zorun::music {

/// A new sink element for one player: the first of pulsesink and alsasink that opens, else a fakesink
/// that keeps real time (music still runs its course, unheard). The environment variable
/// ZORUN_AUDIO_SINK names a sink element to use instead, or a chain of elements ending in one (a
/// description with "!", e.g. "audioconvert ! fdsink sync=true fd=3", which tests use to hear what was
/// played). Null when the element cannot be made.
GstElement* makeAudioSink();

/// True when sound can be heard: a sound server or card opened, or ZORUN_AUDIO_SINK names the output.
bool audioOutputIsDevice();

}  // namespace zorun::music
