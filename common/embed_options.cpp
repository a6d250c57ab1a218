// Reading xscreensaver's display-mode options; pure, so a table checks it.
#include "common/embed_options.h"

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
    bool any = false;
    for (auto argument : arguments)
        any = any || isOption(argument, "root") || isOption(argument, "window-id");
    if (!any)
        return {};

    const EmbedRequest invalid{EmbedRequest::Kind::Invalid, 0};
    bool root = false;
    std::optional<std::uint64_t> window;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (isOption(arguments[i], "root")) {
            root = true;
        } else if (isOption(arguments[i], "window-id")) {
            if (i + 1 == arguments.size())
                return invalid;
            window = parseWindowId(arguments[++i]);
            if (!window)
                return invalid;
        } else {
            return invalid;
        }
    }
    // An explicit window wins over --root, whichever comes first.
    if (window)
        return {EmbedRequest::Kind::Given, *window};
    if (root && xscreensaverWindow != nullptr)
        if (const auto given = parseWindowId(xscreensaverWindow))
            return {EmbedRequest::Kind::Given, *given};
    return {EmbedRequest::Kind::Root, 0};
}

EmbedRequest readEmbedOptions(int argc, const char* const* argv)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return parseEmbedOptions(arguments, std::getenv("XSCREENSAVER_WINDOW"));
}

}  // namespace zorun
