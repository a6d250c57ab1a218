// Zorun's entry on the "programs" list of xscreensaver's per-user settings file (~/.xscreensaver), as
// text in and text out, so that every byte outside the lines it adds or changes stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorun {

/// What adding Zorun did to a settings file.
struct ProgramsEdit {
    std::string text;      ///< the file afterwards (the input itself when nothing had to change)
    bool added = false;    ///< Zorun's entry was not on the list and is now its last one
    bool enabled = false;  ///< Zorun's entry is ticked (a "-" in front of an entry unticks it)
    int index = 0;         ///< its place on the list from 0: the number xscreensaver's "selected" holds
};

/// Appends Zorun's entry to the end of the programs list unless an entry already starts the program
/// "zorun" (by any path). Appending keeps the places of the others, which "selected" refers to. With
/// select, also ticks Zorun's entry and sets "mode" to "one" and "selected" to its place, adding those
/// settings at the end when the file has none. Nothing when the file holds no programs list.
std::optional<ProgramsEdit> addZorunProgram(std::string_view settingsFile, bool select);

/// A settings file holding only the programs list of xscreensaver's app-defaults file: every other
/// setting is left to the defaults, as for a user without a file. Nothing when the defaults hold no list.
std::optional<std::string> programsFromDefaults(std::string_view appDefaults);

}  // namespace zorun
