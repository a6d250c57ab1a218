// Reading xscreensaver's display-mode options: what xscreensaver and its settings pass, and garbage.
#include <gtest/gtest.h>

#include "common/embed_options.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using zorun::EmbedRequest;
using Kind = EmbedRequest::Kind;

std::string joined(const std::vector<std::string_view>& arguments)
{
    std::string shown;
    for (auto argument : arguments)
        shown += std::string(argument) + " ";
    return shown;
}

TEST(EmbedOptions, ReadAsXscreensaverPassesThem)
{
    const struct {
        std::vector<std::string_view> arguments;
        const char* environment;  // XSCREENSAVER_WINDOW
        std::pair<Kind, std::uint64_t> expected;
    } cases[] = {
        // Windows command lines are not ours: -S is the saver, not an option.
        {{}, "0x400001", {Kind::NotGiven, 0}},
        {{"/s"}, nullptr, {Kind::NotGiven, 0}},
        {{"-S"}, nullptr, {Kind::NotGiven, 0}},
        {{"--rooted"}, nullptr, {Kind::NotGiven, 0}},
        // --root draws where xscreensaver says, else on the root window.
        {{"--root"}, "0x400001", {Kind::Given, 0x400001}},
        {{"-root"}, "4194305", {Kind::Given, 4194305}},
        {{"--root"}, nullptr, {Kind::Root, 0}},
        {{"--root"}, "zz", {Kind::Root, 0}},
        {{"--window-id", "0x1a00003"}, nullptr, {Kind::Given, 0x1a00003}},
        {{"-window-id", "0X1A00003"}, nullptr, {Kind::Given, 0x1a00003}},
        {{"--window-id", "27262979"}, "0x400001", {Kind::Given, 27262979}},
        {{"--root", "--window-id", "0x22"}, "0x400001", {Kind::Given, 0x22}},
        {{"--window-id", "0x22", "--root"}, nullptr, {Kind::Given, 0x22}},
        // Garbage never becomes some window.
        {{"--window-id"}, nullptr, {Kind::Invalid, 0}},
        {{"--window-id", "zz"}, nullptr, {Kind::Invalid, 0}},
        {{"--window-id", "0x"}, nullptr, {Kind::Invalid, 0}},
        {{"--window-id", "0"}, nullptr, {Kind::Invalid, 0}},
        {{"--window-id", "-5"}, nullptr, {Kind::Invalid, 0}},
        {{"--window-id", "12ab"}, nullptr, {Kind::Invalid, 0}},
        {{"--window-id", "0x100000000"}, nullptr, {Kind::Invalid, 0}},
        {{"--window-id", "99999999999999999999999"}, nullptr, {Kind::Invalid, 0}},
        {{"--root", "/s"}, nullptr, {Kind::Invalid, 0}},
        {{"/s", "--root"}, nullptr, {Kind::Invalid, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.arguments) + "| " + (c.environment ? c.environment : "(unset)"));
        const EmbedRequest request = zorun::parseEmbedOptions(c.arguments, c.environment);
        EXPECT_EQ(std::pair(request.kind, request.window), c.expected);
    }
}

TEST(EmbedOptions, MusicAsZorunXmlPassesIt)
{
    using zorun::MusicOptions;
    const std::string song = "/home/me/My Song.mp3";
    const struct {
        std::vector<std::string_view> arguments;
        std::optional<MusicOptions> expected;  // nothing: the usage line
    } cases[] = {
        {{"--root"}, MusicOptions{}},
        {{"--root", "--music", "none"}, MusicOptions{0, {}, {}}},
        // The CD with the track control at its default plays the whole disc, whatever the settings file says.
        {{"--window-id", "0x22", "--music", "cd"}, MusicOptions{1, 0, {}}},
        {{"--root", "--cd-track", "7", "--music", "cd"}, MusicOptions{1, 7, {}}},
        {{"--root", "--cd-track", "99"}, MusicOptions{{}, 99, {}}},
        {{"-root", "-music", "file", "-music-file", song}, MusicOptions{2, {}, song}},
        {{"--music-file", "-odd.wav", "--root"}, MusicOptions{{}, {}, "-odd.wav"}},
        // Music alone is no xscreensaver run, and a value that cannot be played is no choice.
        {{"--music", "none"}, {}},
        {{"--root", "--music"}, {}},
        {{"--root", "--music", "radio"}, {}},
        {{"--root", "--music", "CD"}, {}},
        {{"--root", "--cd-track", "100"}, {}},
        {{"--root", "--cd-track", "-1"}, {}},
        {{"--root", "--cd-track", ""}, {}},
        {{"--root", "--music-file", ""}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.arguments));
        const EmbedRequest request = zorun::parseEmbedOptions(c.arguments, nullptr);
        EXPECT_EQ(request.kind == Kind::Invalid, !c.expected);
        if (c.expected) {
            EXPECT_EQ(request.music, *c.expected);
        }
    }
}

}  // namespace
