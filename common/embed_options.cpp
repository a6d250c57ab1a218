// Reading xscreensaver's display-mode options; pure, so a table checks it.
#include "common/embed_options.h"

#include <algorithm>
#include <cstdlib>

namespace zorun {

namespace {

bool isOption(std::string_view argument, std::string_view name)
{
    // "--name" and "-name" alike, as xscreensaver's own display modes take them.
    if (argument.starts_with("--"))
        argument.remove_prefix(2);
    else if (argument.starts_with("-"))
        argument.remove_prefix(1);
    else
        return false;
    return argument == name;
}

std::optional<std::int16_t> musicKind(std::string_view text)
{
    if (text == "none")
        return 0;
    if (text == "cd")
        return 1;
    if (text == "file")
        return 2;
    return std::nullopt;
}

// 0 (the whole disc) to 99, the most tracks an audio CD holds; plain digits, as xscreensaver writes them.
std::optional<std::int16_t> cdTrack(std::string_view text)
{
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    std::int16_t track = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        track = static_cast<std::int16_t>(track * 10 + (c - '0'));
    }
    return track;
}

}  // namespace

std::optional<std::uint64_t> parseWindowId(std::string_view text)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (value == 0)
        return std::nullopt;
    return value;
}

EmbedRequest parseEmbedOptions(const std::vector<std::string_view>& arguments, const char* xscreensaverWindow)
{
    const auto isOurs = [](std::string_view argument) {
        return isOption(argument, "root") || isOption(argument, "window-id") || isOption(argument, "music") ||
               isOption(argument, "cd-track") || isOption(argument, "music-file");
    };
    if (std::none_of(arguments.begin(), arguments.end(), isOurs))
        return {};

    const EmbedRequest invalid{EmbedRequest::Kind::Invalid, 0, {}};
    bool root = false;
    std::optional<std::uint64_t> window;
    MusicOptions music;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto option = arguments[i];
        if (isOption(option, "root")) {
            root = true;
            continue;
        }
        // Every other option takes a value.
        if (i + 1 == arguments.size())
            return invalid;
        const auto value = arguments[++i];
        if (isOption(option, "window-id")) {
            window = parseWindowId(value);
            if (!window)
                return invalid;
        } else if (isOption(option, "music")) {
            music.kind = musicKind(value);
            if (!music.kind)
                return invalid;
        } else if (isOption(option, "cd-track")) {
            music.repeatTrack = cdTrack(value);
            if (!music.repeatTrack)
                return invalid;
        } else if (isOption(option, "music-file") && !value.empty()) {
            music.file = std::string(value);
        } else {
            return invalid;
        }
    }
    // Music alone names no window to draw in.
    if (!root && !window)
        return invalid;
    // The CD chosen with the track control left at its default (which passes nothing) plays the whole disc,
    // as the control shows, not the track of the settings file.
    if (music.kind == 1 && !music.repeatTrack)
        music.repeatTrack = 0;
    // An explicit window wins over --root, whichever comes first.
    if (window)
        return {EmbedRequest::Kind::Given, *window, music};
    if (root && xscreensaverWindow != nullptr)
        if (const auto given = parseWindowId(xscreensaverWindow))
            return {EmbedRequest::Kind::Given, *given, music};
    return {EmbedRequest::Kind::Root, 0, music};
}

EmbedRequest readEmbedOptions(int argc, const char* const* argv)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return parseEmbedOptions(arguments, std::getenv("XSCREENSAVER_WINDOW"));
}

}  // namespace zorun
