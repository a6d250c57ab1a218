// X11 keys and events as the Win32 messages the window procedure reads, checked without a display.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "common/win32_numbers.h"
#include "renderer/event_translation_x11.h"
#include "renderer/key_map_x11.h"

#include <optional>
#include <string>
#include <utility>

namespace zorun::renderer {

namespace {

TEST(KeyMap, GivesTheWindowsCode)
{
    // The last three have no code: keys without one are not reported at all.
    const std::pair<unsigned long, std::uint32_t> keys[] = {
        {XK_Escape, 27},   {XK_a, 0x41},          {XK_z, 0x5A},        {XK_Q, 0x51},     {XK_0, 0x30},
        {XK_9, 0x39},      {XK_KP_0, 0x60},       {XK_KP_9, 0x69},     {XK_F1, 0x70},    {XK_F24, 0x87},
        {XK_Left, 0x25},   {XK_KP_Left, 0x25},    {XK_KP_Enter, 0x0D}, {XK_Alt_L, 0x12}, {XK_minus, 0xBD},
        {XK_Multi_key, 0}, {0 /* NoSymbol */, 0}, {XK_eacute, 0}};
    for (const auto& [keysym, virtualKey] : keys)
        EXPECT_EQ(virtualKeyFromKeysym(keysym), virtualKey) << "keysym 0x" << std::hex << keysym;
}

constexpr Atom kProtocols = 11, kDelete = 12, kToggle = 13;
constexpr std::uint32_t kSysKeyDown = 0x0104, kSysKeyUp = 0x0105;

XEvent plain(int type)
{
    XEvent event{};
    event.type = type;
    return event;
}

XEvent key(int type, unsigned state)
{
    XEvent event = plain(type);
    event.xkey.state = state;
    return event;
}

XEvent configure(int width, int height)
{
    XEvent event = plain(ConfigureNotify);
    event.xconfigure.width = width;
    event.xconfigure.height = height;
    return event;
}

XEvent client(Atom type, long first)
{
    XEvent event = plain(ClientMessage);
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    return event;
}

// One window's events in order, from a 640 x 480 window: the shape carries over from row to row.
TEST(EventTranslation, GivesTheMessagesWindowsWouldSendInTurn)
{
    const struct {
        const char* what;
        XEvent event;
        std::uint32_t virtualKey;
        std::optional<TranslatedMessage> expected;
    } steps[] = {
        {"A down", key(KeyPress, 0), 0x41, TranslatedMessage{msg::keyDown, 0x41, 0}},
        {"A up", key(KeyRelease, 0), 0x41, TranslatedMessage{msg::keyUp, 0x41, 0}},
        {"a key without a code", key(KeyPress, 0), 0, std::nullopt},
        {"Alt down", key(KeyPress, 0), 0x12, TranslatedMessage{kSysKeyDown, 0x12, 0}},
        {"Alt+F4 down", key(KeyPress, Mod1Mask), 0x73, TranslatedMessage{kSysKeyDown, 0x73, 0}},
        {"Alt+F4 up", key(KeyRelease, Mod1Mask), 0x73, TranslatedMessage{kSysKeyUp, 0x73, 0}},
        {"F4 alone", key(KeyPress, 0), 0x73, TranslatedMessage{msg::keyDown, 0x73, 0}},
        {"the close button", client(kProtocols, kDelete), 0, TranslatedMessage{msg::close, 0, 0}},
        {"the toggle", client(kToggle, 0), 0, TranslatedMessage{msg::toggleMode, 0, 0}},
        {"another protocol", client(kProtocols, 99), 0, std::nullopt},
        // The size packed as Windows packs it: height in the high word, width in the low one.
        {"a new size", configure(1280, 1024), 0, TranslatedMessage{msg::size, sizeKind::restored, 0x04000500}},
        {"the same size again", configure(1280, 1024), 0, std::nullopt},
        {"unmapped", plain(UnmapNotify), 0, TranslatedMessage{msg::size, sizeKind::minimized, 0}},
        {"unmapped again", plain(UnmapNotify), 0, std::nullopt},
        {"resized while minimised", configure(800, 600), 0, std::nullopt},
        {"mapped", plain(MapNotify), 0, TranslatedMessage{msg::size, sizeKind::restored, 0x04000500}},
        {"mapped again", plain(MapNotify), 0, std::nullopt},
        {"the given window destroyed by its owner", plain(DestroyNotify), 0, TranslatedMessage{msg::close, 0, 0}},
    };
    const X11EventAtoms atoms{kProtocols, kDelete, kToggle};
    X11WindowShape shape{640, 480, false};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        const auto got = translateX11Event(step.event, step.virtualKey, atoms, shape);
        EXPECT_EQ(got, step.expected);
    }
}

TEST(EventTranslation, OnlyAltF4AndTheCloseCommandClose)
{
    EXPECT_TRUE(closesWindow(kSysKeyDown, 0x73));
    EXPECT_TRUE(closesWindow(msg::sysCommand, 0xF063));  // the low bits are Windows' own
    EXPECT_FALSE(closesWindow(msg::keyDown, 0x73));
    EXPECT_FALSE(closesWindow(kSysKeyDown, 0x12));
    EXPECT_FALSE(closesWindow(msg::sysCommand, sysCommand::screenSave));
}

}  // namespace

}  // namespace zorun::renderer
