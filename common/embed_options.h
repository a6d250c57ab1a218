// The options by which xscreensaver hands a display mode the window to draw in: --root (the window in
// $XSCREENSAVER_WINDOW, else the root window) and --window-id ID (its settings preview); and the music
// that the controls of zorun.xml choose for one run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorun {

/// The music of one run as xscreensaver's settings pass it; what is not given stays as the settings file
/// has it. `--music none|cd|file` gives the kind (0, 1, 2), `--cd-track N` the CD track to repeat (0 to 99,
/// 0 for the whole disc; `--music cd` without it means the whole disc, as the control shows it), and
/// `--music-file PATH` the file.
struct MusicOptions {
    std::optional<std::int16_t> kind;
    std::optional<std::int16_t> repeatTrack;
    std::optional<std::string> file;
    bool operator==(const MusicOptions&) const = default;
};

/// Where a program started by xscreensaver draws, as its arguments say.
struct EmbedRequest {
    enum class Kind {
        NotGiven,  ///< no xscreensaver option: the program's own command line applies
        Root,      ///< the root window of the default screen
        Given,     ///< the window `window`
        Invalid,   ///< an xscreensaver option that cannot be read (a missing or bad id, a stray argument)
    };
    Kind kind = Kind::NotGiven;
    std::uint64_t window = 0;
    MusicOptions music;  ///< only with Root or Given
    bool operator==(const EmbedRequest&) const = default;
};

/// Reads the arguments after the program's name. Both spellings are accepted (`--root`, `-root`,
/// `--window-id`, `-window-id`, and so on); once one of them is there, every argument must be one, and
/// the music options need a window option beside them. A value out of range is invalid. `--root` takes
/// the window from xscreensaverWindow (the environment's XSCREENSAVER_WINDOW, null when unset) and falls
/// back to the root window when it is unset or not a window id, as xscreensaver's own display modes do.
EmbedRequest parseEmbedOptions(const std::vector<std::string_view>& arguments, const char* xscreensaverWindow);

/// parseEmbedOptions on a program's own arguments (argv[0] being its name) and its environment.
EmbedRequest readEmbedOptions(int argc, const char* const* argv);

/// A window id as X tools print it: hexadecimal with 0x, or decimal. Nothing for 0, text that is not
/// wholly a number, or a value beyond 32 bits (X ids have 29).
std::optional<std::uint64_t> parseWindowId(std::string_view text);

}  // namespace zorun
