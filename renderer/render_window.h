// The renderer frame's records: the window class, the window request, the render window and its keys.
#pragma once

#include <cstdint>

class WindowSystem;

/// 256 key-down flags indexed by virtual-key code; 1 down, 0 up.
struct KeyTable {
    std::int32_t down[256] = {};
    void clear()
    {
        for (auto& key : down)
            key = 0;
    }
};

/// Opaque platform handles; only the window-system adapters know what they point at.
using NativeInstance = void*;
using NativeWindow = void*;
using NativeDeviceContext = void*;
using NativeGlContext = void*;

struct ClassInfo {
    NativeInstance instance = nullptr;
    const char* className = "OpenGL";
};

/// What the next window is to be.
struct WindowRequest {
    ClassInfo* classInfo = nullptr;
    const char* title = "Zorun_VC";
    std::int32_t width = 1024;
    std::int32_t height = 768;
    std::int32_t colourBits = 32;
    std::int32_t fullScreen = 1;
};

struct RenderWindow {
    KeyTable* keys = nullptr;
    WindowSystem* system = nullptr;  // the platform the window lives on
    NativeWindow window = nullptr;
    NativeDeviceContext deviceContext = nullptr;
    NativeGlContext renderingContext = nullptr;
    WindowRequest request;
    std::int32_t visible = 0;
    std::uint32_t lastTick = 0;
};

/// Posts WM_QUIT to the window and clears keepRunning.
void requestQuit(RenderWindow& window);
