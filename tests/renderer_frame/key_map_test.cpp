// X11 key symbols as the Windows virtual-key codes the key table uses.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "key_map_x11.h"

namespace {

struct KeyCase {
    unsigned long keysym;
    std::uint32_t virtualKey;
};

class KeyMap : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMap, GivesTheWindowsCode)
{
    EXPECT_EQ(virtualKeyFromKeysym(GetParam().keysym), GetParam().virtualKey);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyMap,
                         ::testing::Values(KeyCase{XK_Escape, 27}, KeyCase{XK_a, 0x41}, KeyCase{XK_z, 0x5A},
                                           KeyCase{XK_Q, 0x51}, KeyCase{XK_0, 0x30}, KeyCase{XK_9, 0x39},
                                           KeyCase{XK_KP_0, 0x60}, KeyCase{XK_KP_9, 0x69}, KeyCase{XK_F1, 0x70},
                                           KeyCase{XK_F24, 0x87}, KeyCase{XK_Left, 0x25}, KeyCase{XK_KP_Left, 0x25},
                                           KeyCase{XK_KP_Enter, 0x0D}, KeyCase{XK_Alt_L, 0x12}, KeyCase{XK_minus, 0xBD},
                                           // Keys without a code are not reported at all.
                                           KeyCase{XK_Multi_key, 0}, KeyCase{0 /* NoSymbol */, 0},
                                           KeyCase{XK_eacute, 0}));

}  // namespace
