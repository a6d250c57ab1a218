// Win32's message, style and parameter numbers, named once for portable code that must not include
// windows.h: every adapter, on every platform, speaks these.
#pragma once

#include "common/renderer_contract.h"

#include <cstdint>

namespace msg {
constexpr std::uint32_t create = 0x0001;      // WM_CREATE
constexpr std::uint32_t destroy = 0x0002;     // WM_DESTROY
constexpr std::uint32_t size = 0x0005;        // WM_SIZE
constexpr std::uint32_t close = 0x0010;       // WM_CLOSE
constexpr std::uint32_t quit = 0x0012;        // WM_QUIT
constexpr std::uint32_t showWindow = 0x0018;  // WM_SHOWWINDOW
constexpr std::uint32_t keyDown = 0x0100;     // WM_KEYDOWN
constexpr std::uint32_t keyUp = 0x0101;       // WM_KEYUP
constexpr std::uint32_t sysCommand = 0x0112;  // WM_SYSCOMMAND
constexpr std::uint32_t toggleMode = zorun::kToggleModeMessage;
}  // namespace msg

namespace sizeKind {
constexpr std::uintptr_t restored = 0;   // SIZE_RESTORED
constexpr std::uintptr_t minimized = 1;  // SIZE_MINIMIZED
constexpr std::uintptr_t maximized = 2;  // SIZE_MAXIMIZED
constexpr std::uintptr_t maxShow = 3;    // SIZE_MAXSHOW
constexpr std::uintptr_t maxHide = 4;    // SIZE_MAXHIDE
}  // namespace sizeKind

namespace sysCommand {
constexpr std::uintptr_t screenSave = 0xF140;    // SC_SCREENSAVE
constexpr std::uintptr_t monitorPower = 0xF170;  // SC_MONITORPOWER
}  // namespace sysCommand

namespace windowStyle {
constexpr std::uint32_t popup = 0x80000000u;             // WS_POPUP
constexpr std::uint32_t child = 0x40000000u;             // WS_CHILD
constexpr std::uint32_t clipChildren = 0x02000000u;      // WS_CLIPCHILDREN
constexpr std::uint32_t overlappedWindow = 0x00CF0000u;  // WS_OVERLAPPEDWINDOW
constexpr std::uint32_t exAppWindow = 0x00040000u;       // WS_EX_APPWINDOW
constexpr std::uint32_t exTopmost = 0x00000008u;         // WS_EX_TOPMOST
}  // namespace windowStyle

namespace windowLong {
constexpr std::int32_t style = -16;  // GWL_STYLE
}  // namespace windowLong

namespace classStyle {
constexpr std::uint32_t vRedraw = 0x0001;  // CS_VREDRAW
constexpr std::uint32_t hRedraw = 0x0002;  // CS_HREDRAW
constexpr std::uint32_t ownDc = 0x0020;    // CS_OWNDC
}  // namespace classStyle

constexpr std::int32_t showNormal = 1;  // SW_SHOWNORMAL
