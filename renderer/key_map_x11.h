// Turns X11 key symbols into the Windows virtual-key codes the renderer's key table is indexed by.
#pragma once

#include <cstdint>

namespace zorun::renderer {

/// The virtual-key code for an unshifted X11 key symbol, or 0 when the key has none.
std::uint32_t virtualKeyFromKeysym(unsigned long keysym);

}  // namespace zorun::renderer
