// Renderer speed at 1024 x 768: the real cloud scene against a bare clear-and-swap loop in the same run,
// allocations per frame and the time from scene set-up to the first frame on the screen.
#include "tools/bitmap_builder.h"
#include "renderer/bitmap_texture.h"
#include "renderer/cloud_scene.h"
#include "renderer/render_window.h"
#include "temp_dir.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <stb_image.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

// Counted on every thread; the drawing thread's share is counted apart (the driver's own threads
// allocate as they please).
std::atomic<long> operatorNews{0};
std::atomic<long> mallocsAllThreads{0};
thread_local long mallocsThisThread = 0;

}  // namespace

extern "C" void* malloc(std::size_t size)
{
    mallocsAllThreads.fetch_add(1, std::memory_order_relaxed);
    ++mallocsThisThread;
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size)
{
    mallocsAllThreads.fetch_add(1, std::memory_order_relaxed);
    ++mallocsThisThread;
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* block, std::size_t size)
{
    mallocsAllThreads.fetch_add(1, std::memory_order_relaxed);
    ++mallocsThisThread;
    return __libc_realloc(block, size);
}
extern "C" void free(void* block)
{
    __libc_free(block);
}

void* operator new(std::size_t size)
{
    operatorNews.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    operatorNews.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

// The frame is not linked; nothing presses Escape here.
namespace zorun::renderer {
void requestQuit(RenderWindow&) {}
}  // namespace zorun::renderer

using namespace zorun::renderer;

namespace {

constexpr int width = 1024;
constexpr int height = 768;
constexpr int warmUpFrames = 60;
constexpr int measuredFrames = 600;

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double cpuSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct BenchWindow {
    Display* display = nullptr;
    ::Window window = 0;
    GLXContext context = nullptr;
};

bool openWindow(BenchWindow& w)
{
    w.display = XOpenDisplay(nullptr);
    if (w.display == nullptr)
        return false;
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                        8,        GLX_DEPTH_SIZE,   24,           None};
    XVisualInfo* visual = glXChooseVisual(w.display, DefaultScreen(w.display), attributes);
    if (visual == nullptr)
        return false;
    XSetWindowAttributes set{};
    set.colormap = XCreateColormap(w.display, RootWindow(w.display, visual->screen), visual->visual, AllocNone);
    w.window = XCreateWindow(w.display, RootWindow(w.display, visual->screen), 0, 0, width, height, 0, visual->depth,
                             InputOutput, visual->visual, CWColormap, &set);
    w.context = glXCreateContext(w.display, visual, nullptr, True);
    XFree(visual);
    XMapWindow(w.display, w.window);
    XSync(w.display, False);
    return w.context != nullptr && glXMakeCurrent(w.display, w.window, w.context);
}

// The cloud picture the host would store, written where the scene reads it.
bool writeCloudBitmap(const testfs::TempDir& cache)
{
    int w = 0, h = 0, components = 0;
    unsigned char* rgb = stbi_load(ZORUN_ASSETS_DIR "/cloud.jpg", &w, &h, &components, 3);
    if (rgb == nullptr)
        return false;
    testbmp::BitmapLayout layout;
    layout.width = w;
    layout.height = h;
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = rgb + (static_cast<std::size_t>(y) * w + x) * 3;
            layout.pixels.push_back(static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
        }
    stbi_image_free(rgb);
    std::filesystem::create_directories(cache.path() / "k_vorn");
    cache.write("k_vorn/Zorun.bmp", testbmp::encode(layout));
    return true;
}

struct Run {
    double wall = 0;
    double processCpu = 0;
    double threadCpu = 0;
    long news = 0;
    long mallocsHere = 0;
    long mallocsAll = 0;
};

template <typename Frame>
Run measure(const BenchWindow& w, Frame frame)
{
    for (int i = 0; i < warmUpFrames; ++i) {
        frame();
        glXSwapBuffers(w.display, w.window);
    }
    glFinish();
    Run run;
    const long news = operatorNews.load();
    const long here = mallocsThisThread;
    const long all = mallocsAllThreads.load();
    const double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double thread = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < measuredFrames; ++i) {
        frame();
        glXSwapBuffers(w.display, w.window);
    }
    glFinish();
    run.wall = seconds(std::chrono::steady_clock::now() - start);
    run.processCpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process;
    run.threadCpu = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - thread;
    run.news = operatorNews.load() - news;
    run.mallocsHere = mallocsThisThread - here;
    run.mallocsAll = mallocsAllThreads.load() - all;
    return run;
}

void print(const char* name, const Run& run)
{
    std::printf(
        "%-22s %8.1f fps  %7.3f ms wall/frame  %7.3f ms CPU/frame (all threads)  %7.3f ms CPU/frame "
        "(drawing thread)\n",
        name, measuredFrames / run.wall, run.wall * 1e3 / measuredFrames, run.processCpu * 1e3 / measuredFrames,
        run.threadCpu * 1e3 / measuredFrames);
    std::printf("%-22s operator new per frame %.3f, malloc per frame: drawing thread %.3f, all threads %.3f\n", "",
                static_cast<double>(run.news) / measuredFrames, static_cast<double>(run.mallocsHere) / measuredFrames,
                static_cast<double>(run.mallocsAll) / measuredFrames);
}

}  // namespace

int main()
{
    testfs::TempDir cache;
    if (!writeCloudBitmap(cache)) {
        std::fprintf(stderr, "renderer_bench: cannot decode %s/cloud.jpg\n", ZORUN_ASSETS_DIR);
        return 1;
    }
    setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);

    const auto windowStart = std::chrono::steady_clock::now();
    BenchWindow window;
    if (!openWindow(window)) {
        std::fprintf(stderr, "renderer_bench: no GLX window on the display in $DISPLAY\n");
        return 1;
    }
    glFinish();
    const auto sceneStart = std::chrono::steady_clock::now();
    KeyTable keys;
    RenderWindow renderWindow;
    initScene(renderWindow, keys);
    reshapeView(width, height);
    glFinish();
    const auto sceneReady = std::chrono::steady_clock::now();
    advanceScene(0);
    drawScene();
    glXSwapBuffers(window.display, window.window);
    glFinish();
    const auto firstFrame = std::chrono::steady_clock::now();
    if (cloudTexture().pixels() == nullptr) {
        std::fprintf(stderr, "renderer_bench: the cloud texture did not load\n");
        return 1;
    }

    std::printf("renderer: %s, %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    std::printf("window: %d x %d, texture %d x %d, %d frames measured after %d warm-up frames\n", width, height,
                cloudTexture().width(), cloudTexture().height(), measuredFrames, warmUpFrames);
    std::printf("window and context creation   %8.2f ms\n", seconds(sceneStart - windowStart) * 1e3);
    std::printf(
        "initScene to first frame      %8.2f ms: set-up with texture load and upload %.2f ms, first draw "
        "and swap %.2f ms\n",
        seconds(firstFrame - sceneStart) * 1e3, seconds(sceneReady - sceneStart) * 1e3,
        seconds(firstFrame - sceneReady) * 1e3);

    const Run bare = measure(window, [] {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    });
    // The bare loop changed the clear colour; a restart of the scene's set-up puts its state back, as the
    // frame would after a window restart.
    initScene(renderWindow, keys);
    const Run scene = measure(window, [] {
        advanceScene(16);
        drawScene();
    });
    print("clear and swap", bare);
    print("cloud scene", scene);
    std::printf("scene / bare: %.3f of the frame rate, %.2f x the CPU time per frame\n", bare.wall / scene.wall,
                scene.processCpu / bare.processCpu);

    glXMakeCurrent(window.display, None, nullptr);
    glXDestroyContext(window.display, window.context);
    XDestroyWindow(window.display, window.window);
    XCloseDisplay(window.display);
    return 0;
}
