// The choice of the audio sink, made once per process and shared by every player of our own MCI.
#include "host/music/gst_audio_output.h"

#include <gst/gst.h>

#include <cstdlib>
#include <string>

namespace zorun::music {
namespace {

struct AudioOutput {
    std::string description;
    bool isDevice = false;
};

bool sinkCanOpen(const char* factory)
{
    GstElement* sink = gst_element_factory_make(factory, nullptr);
    if (sink == nullptr)
        return false;
    gst_object_ref_sink(sink);
    bool ok = gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS;
    gst_element_set_state(sink, GST_STATE_NULL);
    gst_object_unref(sink);
    return ok;
}

AudioOutput chooseAudioOutput()
{
    const char* forced = std::getenv("ZORUN_AUDIO_SINK");
    if (forced != nullptr && *forced != '\0')
        return {forced, true};
    for (const char* factory : {"pulsesink", "alsasink"}) {
        if (sinkCanOpen(factory))
            return {factory, true};
    }
    return {"fakesink", false};
}

const AudioOutput& audioOutput()
{
    static const AudioOutput output = chooseAudioOutput();
    return output;
}

}  // namespace

GstElement* makeAudioSink()
{
    const std::string& description = audioOutput().description;
    if (description.find('!') != std::string::npos)
        return gst_parse_bin_from_description(description.c_str(), TRUE, nullptr);
    GstElement* sink = gst_element_factory_make(description.c_str(), nullptr);
    if (sink != nullptr && description == "fakesink")
        g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

bool audioOutputIsDevice()
{
    return audioOutput().isDevice;
}

}  // namespace zorun::music
