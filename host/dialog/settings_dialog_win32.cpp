// The settings dialog on Win32: one window over its painted image, the combo box and the Command buttons as
// child windows, and its messages.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <shellapi.h>

#include "common/utf16_win32.h"
#include "host/button/command_window_win32.h"
#include "host/dialog/dialog_buttons.h"
#include "host/dialog/dialog_image_win32.h"
#include "host/dialog/dialog_layout.h"
#include "host/dialog/dialog_modals_win32.h"
#include "host/dialog/home_page.h"
#include "host/dialog/ini_settings_writer.h"
#include "host/dialog/settings_dialog.h"
#include "host/dialog/settings_dialog_win32.h"
#include "host/pictures/host_resources.h"

#include <memory>
#include <optional>
#include <vector>

namespace zorun::host {

namespace {

using namespace dialog;

constexpr wchar_t kClassName[] = L"ZorunSettingsDialog";
constexpr int kComboId = 1001;
constexpr int kComboListHeight = 200;

MouseButton buttonOf(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return MouseButton::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return MouseButton::Middle;
    default:
        return MouseButton::Other;
    }
}

class Win32SettingsDialog final : public DialogView, public DialogShell {
public:
    Win32SettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile)
        : writer_(settingsFile),
          form_(*this, *this, writer_, settings, homePageAddress()),
          image_(pictures.LoadStoredPicture(StoredPicture::Option),
                 pictures.LoadStoredPicture(StoredPicture::OptionSelected))
    {
        instance_ = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = instance_;
        wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(ZORUN_DIALOG_ICON));
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        RegisterClassExW(&wc);  // a second dialog in one process finds it registered
        hand_ = static_cast<HCURSOR>(
            LoadImageW(instance_, MAKEINTRESOURCEW(ZORUN_HAND_CURSOR), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));

        // The designed client area inside a fixed frame with a caption.
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
        RECT frame{0, 0, kClientWidth, kClientHeight};
        AdjustWindowRectEx(&frame, style, FALSE, 0);
        window_ = CreateWindowExW(0, kClassName, toUtf16(kTitle).c_str(), style, 0, 0, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance_, this);

        combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                 kPanel.x + kCombo.x, kPanel.y + kCombo.y, kCombo.width, kComboListHeight, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), instance_, nullptr);
        SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(image_.labelFont()), FALSE);

        const auto container = reinterpret_cast<std::intptr_t>(window_);
        buttons_ = std::make_unique<DialogButtons>(container, container, kPanel.x, kPanel.y,
                                                   loadFramePictures(pictures), createWin32CommandWindow, form_);
    }

    ~Win32SettingsDialog() override
    {
        buttons_.reset();
        if (window_ != nullptr)
            DestroyWindow(window_);
    }
    Win32SettingsDialog(const Win32SettingsDialog&) = delete;
    Win32SettingsDialog& operator=(const Win32SettingsDialog&) = delete;

    // Load, show (the resize paints), then the window's messages until it has closed.
    void run()
    {
        if (window_ == nullptr)
            return;
        form_.Form_Load();
        form_.Form_Resize();
        ShowWindow(window_, SW_SHOWNORMAL);
        UpdateWindow(window_);
        MSG message;
        while (!closed_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (isFirstShiftTab(message))
                continue;
            // The dialog's keys: Tab and Shift+Tab through the controls, Escape as a WM_COMMAND IDCANCEL.
            if (IsDialogMessageW(window_, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    // DialogView.
    void ScreenSize(std::int32_t& width, std::int32_t& height) override
    {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    void WindowSize(std::int32_t& width, std::int32_t& height) override
    {
        RECT r;
        if (::GetWindowRect(window_, &r))
            width = r.right - r.left, height = r.bottom - r.top;
    }
    void MoveWindow(std::int32_t left, std::int32_t top) override
    {
        SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void InitButtons() override { buttons_->initialize(); }
    void SetFileButtonEnabled(bool enabled) override { buttons_->setFileEnabled(enabled); }
    void SetComboEnabled(bool enabled) override { EnableWindow(combo_, enabled ? TRUE : FALSE); }
    void SetComboText(const std::string& text) override { SetWindowTextW(combo_, toUtf16(text).c_str()); }
    std::string ComboText() override
    {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(combo_)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(combo_, text.data(), static_cast<int>(text.size()))));
        return fromUtf16(text);
    }
    void SetComboList(const std::vector<std::string>& entries) override
    {
        // Resetting the list clears the field too: keep what it showed.
        const std::string text = ComboText();
        SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : entries)
            SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toUtf16(entry).c_str()));
        SetComboText(text);
    }
    void SetOptionPicture(int element, bool selected) override
    {
        if (element < 0 || element >= kOptionCount)
            return;
        const RECT r = image_.setOption(element, selected);
        InvalidateRect(window_, &r, FALSE);
    }
    void SetFileLabel(const std::string& path) override
    {
        const RECT r = image_.setFileLabel(path);
        InvalidateRect(window_, &r, FALSE);
    }
    void ClientSize(Surface surface, std::int32_t& width, std::int32_t& height) override
    {
        width = surface == Surface::Dialog ? kClientWidth : kPanel.width;
        height = surface == Surface::Dialog ? kClientHeight : kPanel.height;
    }
    void DrawLine(Surface surface, std::int32_t y, std::int32_t width, std::uint32_t colour) override
    {
        if (const std::optional<RECT> r = image_.drawLine(surface, y, width, colour))
            InvalidateRect(window_, &*r, FALSE);
    }
    void SetBusyPointer(bool busy) override
    {
        busy_ = busy;
        SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
    }
    void ShowStoreFailure(const StoreFailure& failure) override { runStoreFailureBox(window_, failure); }
    void Close() override
    {
        if (closed_)
            return;
        form_.Form_Unload();
        closed_ = true;
        ShowWindow(window_, SW_HIDE);
    }

    // DialogShell.
    bool GetCursorPos(std::int32_t& x, std::int32_t& y) override
    {
        POINT p;
        if (!::GetCursorPos(&p))
            return false;
        x = p.x, y = p.y;
        return true;
    }
    bool GetWindowRect(Rect& rect) override
    {
        RECT r;
        if (!::GetWindowRect(window_, &r))
            return false;
        rect = {r.left, r.top, r.right, r.bottom};
        return true;
    }
    void DrawAnimatedRects(const Rect& from, const Rect& to) override
    {
        const RECT a{from.left, from.top, from.right, from.bottom}, b{to.left, to.top, to.right, to.bottom};
        ::DrawAnimatedRects(window_, IDANI_CAPTION, &a, &b);
    }
    std::optional<std::string> GetOpenFileNameA(const OpenFileRequest& request) override
    {
        return runFileChooser(window_, instance_, request);
    }
    void ShellExecuteA(const std::string& address) override
    {
        ::ShellExecuteA(window_, "open", address.c_str(), "", "", SW_SHOWNORMAL);
    }

private:
    void paint()
    {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        image_.paint(dc);
        EndPaint(window_, &ps);
    }

    // HACK: with no control focused (the keys go to the dialog itself) GetNextDlgTabItem finds nothing
    // backwards; Shift+Tab then goes to the last control, as Tab goes to the first.
    bool isFirstShiftTab(const MSG& message)
    {
        if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || message.hwnd != window_ ||
            (GetKeyState(VK_SHIFT) & 0x8000) == 0)
            return false;
        if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE))
            SetFocus(GetNextDlgTabItem(window_, first, TRUE));
        return true;
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the image covers the whole client area
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // The dialog keeps the mouse from a press on itself to the release, so a release over a button
            // is not that button's.
            SetCapture(window_);
            form_.Form_MouseDown(buttonOf(message), x, y);
            return 0;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_LBUTTONUP:
            if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == window_)
                ReleaseCapture();
            form_.Form_MouseUp(buttonOf(message), x, y);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window_) {
                POINT p;
                ::GetCursorPos(&p);
                ScreenToClient(window_, &p);
                SetCursor(busy_ ? LoadCursorA(nullptr, IDC_WAIT)
                                : (Zorun_P::OverLink(p.x, p.y) && hand_ != nullptr ? hand_
                                                                                   : LoadCursorA(nullptr, IDC_ARROW)));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_COMMAND:
            // Escape (no child has the id IDCANCEL); IDOK, Enter's command, does nothing.
            if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
                form_.Form_KeyEscape();
                return 0;
            }
            break;
        default:
            break;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    }

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<Win32SettingsDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<Win32SettingsDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr || message == WM_NCDESTROY) {
            if (self != nullptr)
                self->window_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return self->handle(message, wParam, lParam);
    }

    IniSettingsWriter writer_;
    Zorun_P form_;
    DialogImage image_;
    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HWND combo_ = nullptr;
    HCURSOR hand_ = nullptr;
    std::unique_ptr<DialogButtons> buttons_;
    bool closed_ = false;
    bool busy_ = false;
};

}  // namespace

void runWin32SettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile)
{
    Win32SettingsDialog dialog(pictures, settings, settingsFile);
    dialog.run();
}

}  // namespace zorun::host
