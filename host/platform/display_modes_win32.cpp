// The display mode on Windows: nothing to do, as Windows itself gives back the full-screen mode of a
// process that has ended.
#include "host/platform/display_modes_win32.h"

namespace zorun::host {

namespace {

class Win32DisplayModes final : public DisplayModes {
public:
    void KeepDisplayMode() override {}
    void RestoreDisplayMode() override {}
};

}  // namespace

std::unique_ptr<DisplayModes> createWin32DisplayModes()
{
    return std::make_unique<Win32DisplayModes>();
}

}  // namespace zorun::host
