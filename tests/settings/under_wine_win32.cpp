// Wine shows itself by an export of its ntdll that Windows does not have.
#include "settings_test_support.h"

#include <windows.h>

bool testfs::runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
