// The host's settings file "Zorun.ini": the shared music settings and the routines that load and store them.
#pragma once

#include "host/profile/profile_strings.h"
#include "host/profile/program_folder.h"
#include "host/profile/settings_location.h"
#include "common/embed_options.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zorun {

/// The only section of the settings file, and its three keys (code page 932 bytes of
/// "BGM区分", "BGMﾘﾋﾟｰﾄ" and "BGMﾌｧｲﾙ").
inline constexpr const char* kSettingsSection = "Section";
inline constexpr const char* kKeyKind = "BGM\x8b\xe6\x95\xaa";
inline constexpr const char* kKeyRepeatTrack = "BGM\xd8\xcb\xdf\xb0\xc4";
inline constexpr const char* kKeyFile = "BGM\xcc\xa7\xb2\xd9";

/// The music settings shared by the host's windows; all start at 0 or empty.
struct SharedSettings {
    std::int16_t BGM_Kind = 0;         ///< 0 no music, 1 audio CD, 2 MP3 or WAV file; others play nothing
    std::int16_t BGM_RepeatTrack = 0;  ///< CD track to loop, 0 for the whole disc
    std::string BGM_File;              ///< full path of the music file, empty when there is none
    std::string BGM_Folder;            ///< where the settings dialog's file chooser opens
};

/// The host process's one set of shared settings.
SharedSettings& Settings();

/// Fills the process's settings from the running program's settings file (settingsFiles: beside the
/// program, or the user's own copy where the program's folder cannot be written).
void LoadSettings();
/// Fills settings from the settings file at file, for a program in programFolder (where the file
/// chooser opens when no music file is set).
void LoadSettings(SharedSettings& settings, const std::string& file, std::string_view programFolder,
                  const PathStyle& style = HostPathStyle());

/// Puts the music that xscreensaver's options choose over settings loaded from the file, for one run:
/// nothing is stored. A music file given there is checked as one read from the file is.
void ApplyMusicOptions(SharedSettings& settings, const MusicOptions& options, std::string_view programFolder,
                       const PathStyle& style = HostPathStyle());

/// One value of the file, cut to 255 bytes; empty when the file, the section or the key is missing.
std::string ReadIniValue(const std::string& section, const std::string& key, const std::string& file);
/// Stores one value; section and key names are cut to 127 bytes. Failures are not reported.
void WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file);

/// Keys of one section and their values, in the order they are stored.
using IniValues = profile::KeyValues;
/// Stores several values of one section as one store: the file holds all of them afterwards, or the
/// bytes it had. A read-only file is left alone. False when they could not be stored; reason then holds
/// the system's words for why (UTF-8). Section and key names are cut as WriteIniValue cuts them.
bool WriteIniValues(const std::string& section, const IniValues& values, const std::string& file, std::string& reason);

/// -1 when path (without one trailing separator) names a file that can be opened for reading, else 0.
std::int16_t FileExists(std::string_view path, const PathStyle& style = HostPathStyle());
/// The folder part of path: everything before its last separator (or drive colon), without a trailing
/// separator; empty for a bare file name.
std::string FolderOf(std::string_view path, const PathStyle& style = HostPathStyle());

/// A 16-bit number as the settings file stores it: " 2" for zero and positive numbers, "-3" for negative.
std::string IniNumberText(std::int16_t value);

}  // namespace zorun
