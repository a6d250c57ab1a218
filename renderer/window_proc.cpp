// The renderer window's procedure: key table, visibility, close, restart and swallowed system commands.
#include "renderer/render_window.h"

#include "renderer/window_system.h"

namespace zorun::renderer {

namespace {

// The low four bits of a system command's wParam belong to the system.
constexpr std::uintptr_t sysCommandMask = 0xFFF0;

std::int32_t lowWord(std::intptr_t value)
{
    return static_cast<std::int32_t>(value & 0xFFFF);
}

std::int32_t highWord(std::intptr_t value)
{
    return static_cast<std::int32_t>((value >> 16) & 0xFFFF);
}

}  // namespace

std::intptr_t rendererWindowProc(WindowSystem& system, NativeWindow window, std::uint32_t message,
                                 std::uintptr_t wParam, std::intptr_t lParam)
{
    auto* record = static_cast<RenderWindow*>(system.userData(window));
    switch (message) {
    case msg::create:
        system.setUserData(window, reinterpret_cast<void*>(lParam));
        return 0;
    case msg::size:
        if (record == nullptr)
            break;
        if (wParam == sizeKind::restored || wParam == sizeKind::maximized) {
            record->visible = 1;
            record->scene->reshapeView(lowWord(lParam), highWord(lParam));
            return 0;
        }
        if (wParam == sizeKind::minimized) {
            record->visible = 0;
            return 0;
        }
        break;
    case msg::close:
        if (record == nullptr)
            break;
        // Not destroyed here: the run takes the window down once the loop has ended.
        requestQuit(*record);
        return 0;
    case msg::keyDown:
    case msg::keyUp:
        if (record == nullptr || wParam > 255)
            break;
        record->keys->down[wParam] = message == msg::keyDown ? 1 : 0;
        return 0;
    case msg::sysCommand:
        if ((wParam & sysCommandMask) == sysCommand::screenSave ||
            (wParam & sysCommandMask) == sysCommand::monitorPower)
            return 0;
        break;
    case msg::toggleMode:
        wantFullScreen = wantFullScreen == 1 ? 0 : 1;
        system.postMessage(window, msg::quit, 0, 0);
        break;
    default:
        break;
    }
    return system.defaultProcedure(window, message, wParam, lParam);
}

}  // namespace zorun::renderer
