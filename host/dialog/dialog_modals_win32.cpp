// The Win32 settings dialog's file chooser and message box.
#include "host/dialog/dialog_modals_win32.h"

#include <commdlg.h>

#include "common/utf16_win32.h"

#include <vector>

namespace zorun::host {

namespace {

// Our texts are UTF-8; what an ANSI call takes is in the system's code page.
std::string toAnsi(const std::string& utf8)
{
    return fromUtf16(toUtf16(utf8), CodePage::Ansi);
}

}  // namespace

std::optional<std::string> runFileChooser(HWND owner, HINSTANCE instance, const OpenFileRequest& request)
{
    std::string filter = toAnsi(request.filterDescription);
    filter += '\0';
    filter += request.filterPattern;
    filter += '\0';
    filter += '\0';
    const std::string title = toAnsi(request.title);
    std::vector<char> file(request.fileBufferLength + 1, '\0'), fileTitle(request.titleBufferLength + 1, '\0');
    OPENFILENAMEA record{};
    // HACK: the classic record is 76 bytes on 32-bit Windows; a 64-bit program must give its own size.
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.hInstance = instance;
    record.lpstrFilter = filter.c_str();
    record.nFilterIndex = 0;
    record.lpstrFile = file.data();
    record.nMaxFile = request.fileBufferLength;
    record.lpstrFileTitle = fileTitle.data();
    record.nMaxFileTitle = request.titleBufferLength;
    record.lpstrInitialDir = request.initialFolder.c_str();
    record.lpstrTitle = title.c_str();
    record.Flags = request.flags;
    if (::GetOpenFileNameA(&record) <= 0)
        return std::nullopt;
    return std::string(file.data());
}

void runStoreFailureBox(HWND owner, const StoreFailure& failure)
{
    const std::wstring text =
        toUtf16(failure.heading) + L"\n\n" + toUtf16(failure.path, CodePage::Ansi) + L"\n" + toUtf16(failure.reason);
    MessageBoxW(owner, text.c_str(), toUtf16(failure.caption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace zorun::host
