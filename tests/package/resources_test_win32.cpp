// The Windows programs' resources: the name the list of screensavers shows, and the version of both.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring stringResource(const char* program, UINT id)
{
    HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr)
        return L"(not loaded)";
    wchar_t text[256] = {};
    const int length = LoadStringW(module, id, text, 256);
    FreeLibrary(module);
    return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

// "major.minor.patch" of the fixed file version, or empty when the program has no version resource.
std::string fileVersion(const char* program)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(program, &ignored);
    std::vector<char> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(program, 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed ||
        fixed->dwSignature != VS_FFI_SIGNATURE)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS));
    return text;
}

TEST(WindowsResources, TheHostIsListedAsZorun)
{
    EXPECT_EQ(stringResource(ZORUN_HOST_PROGRAM, 1), L"Zorun");
}

TEST(WindowsResources, BothProgramsCarryTheProjectVersion)
{
    for (const char* program : {ZORUN_HOST_PROGRAM, ZORUN_RENDERER_PROGRAM}) {
        SCOPED_TRACE(program);
        EXPECT_EQ(fileVersion(program), ZORUN_VERSION);
    }
}

}  // namespace
