// Wine shows itself by an export of its ntdll that Windows does not have.
#include "under_wine.h"

#include <windows.h>

namespace testenv {

bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace testenv
