// The settings dialog on Win32: one window over a persistent painted image, labels and option pictures
// drawn onto it, the combo box and the Command buttons as child windows.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include "common/utf16_win32.h"
#include "host/dialog/dialog_buttons.h"
#include "host/dialog/dialog_layout.h"
#include "host/dialog/ini_settings_writer.h"
#include "host/dialog/settings_dialog.h"
#include "host/dialog/settings_dialog_view.h"
#include "host/drawing/drawing_kit_win32.h"
#include "host/drawing/picture_pixels.h"
#include "host/pictures/host_resources.h"

#include <array>
#include <memory>
#include <vector>

namespace zorun::host {

namespace {

using namespace dialog;

constexpr wchar_t kClassName[] = L"ZorunSettingsDialog";
constexpr int kComboId = 1001;
constexpr int kComboListHeight = 200;

// Our texts are UTF-8; what an ANSI call takes is in the system's code page.
std::string toAnsi(const std::string& utf8)
{
    return fromUtf16(toUtf16(utf8), CodePage::Ansi);
}

RECT rectOf(const Box& box)
{
    return {box.x, box.y, box.x + box.width, box.y + box.height};
}

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
        : writer_(settingsFile), form_(*this, *this, writer_, settings, homePageAddress())
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
        font_ = createScreenFont(kLabelFont);
        linkFont_ = createScreenFont(kLinkFont);

        // The designed client area inside a fixed frame with a caption.
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
        RECT frame{0, 0, kClientWidth, kClientHeight};
        AdjustWindowRectEx(&frame, style, FALSE, 0);
        window_ = CreateWindowExW(0, kClassName, toUtf16(kTitle).c_str(), style, 0, 0, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance_, this);
        createBacking();

        combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                 kPanel.x + kCombo.x, kPanel.y + kCombo.y, kCombo.width, kComboListHeight, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), instance_, nullptr);
        SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

        optionImages_[0].assign(pictures.LoadStoredPicture(StoredPicture::Option));
        optionImages_[1].assign(pictures.LoadStoredPicture(StoredPicture::OptionSelected));
        const auto container = reinterpret_cast<std::intptr_t>(window_);
        buttons_ = std::make_unique<DialogButtons>(container, container, kPanel.x, kPanel.y,
                                                   loadFramePictures(pictures), form_);
    }

    ~Win32SettingsDialog() override
    {
        buttons_.reset();
        if (window_ != nullptr)
            DestroyWindow(window_);
        DeleteObject(font_);
        DeleteObject(linkFont_);
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
        selected_[static_cast<std::size_t>(element)] = selected;
        const RECT r = rectOf(inDialog(kOptionMarks[element]));
        InvalidateRect(window_, &r, FALSE);
    }
    void SetFileLabel(const std::string& path) override
    {
        fileLabel_ = toUtf16(path, CodePage::Ansi);
        const RECT r = rectOf(inDialog(kFileLabel));
        InvalidateRect(window_, &r, FALSE);
    }
    void ClientSize(Surface surface, std::int32_t& width, std::int32_t& height) override
    {
        width = surface == Surface::Dialog ? kClientWidth : kPanel.width;
        height = surface == Surface::Dialog ? kClientHeight : kPanel.height;
    }
    void DrawLine(Surface surface, std::int32_t y, std::int32_t width, std::uint32_t colour) override
    {
        const bool panel = surface == Surface::Panel;
        const int top = panel ? kPanel.y : 0, left = panel ? kPanel.x : 0;
        const int right = left + std::min(width + 1, panel ? kPanel.width : kClientWidth);
        if (backing_.empty() || y < 0 || y >= (panel ? kPanel.height : kClientHeight))
            return;
        std::uint32_t* row = backing_.bits() + static_cast<std::ptrdiff_t>(top + y) * kClientWidth;
        std::fill(row + left, row + right, xrgbFromColour(colour));
        RECT r{left, top + y, right, top + y + 1};
        InvalidateRect(window_, &r, FALSE);
    }
    void SetBusyPointer(bool busy) override
    {
        busy_ = busy;
        SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
    }
    void ShowStoreFailure(const StoreFailure& failure) override
    {
        const std::wstring text = toUtf16(failure.heading) + L"\n\n" + toUtf16(failure.path, CodePage::Ansi) + L"\n" +
                                  toUtf16(failure.reason);
        MessageBoxW(window_, text.c_str(), toUtf16(failure.caption).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
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
        record.hwndOwner = window_;
        record.hInstance = instance_;
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
    void ShellExecuteA(const std::string& address) override
    {
        ::ShellExecuteA(window_, "open", address.c_str(), "", "", SW_SHOWNORMAL);
    }

private:
    void createBacking()
    {
        backing_.resize(kClientWidth, kClientHeight);
        if (backing_.empty())
            return;
        const auto fill = [this](const Box& box, std::uint32_t colour) {
            for (int y = box.y; y < box.y + box.height; ++y)
                std::fill_n(backing_.bits() + static_cast<std::ptrdiff_t>(y) * kClientWidth + box.x, box.width,
                            xrgbFromColour(colour));
        };
        fill({0, 0, kClientWidth, kClientHeight}, kBackground);
        fill(kPanel, kPanelBackground);
    }

    void drawText(HDC dc, const std::string& utf8, RECT r, UINT format)
    {
        std::wstring text = toUtf16(utf8);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
    }

    // The painted image, then what lies on it: the heading frame, the option pictures, the labels.
    void paint()
    {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        HDC compose = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, kClientWidth, kClientHeight);
        HGDIOBJ old = SelectObject(compose, bitmap);
        BitBlt(compose, 0, 0, kClientWidth, kClientHeight, backing_.dc(), 0, 0, SRCCOPY);

        const RECT frame = rectOf(inDialog(kHeadingFrame));
        FrameRect(compose, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        for (int i = 0; i < kOptionCount; ++i) {
            const MemoryImage& mark = optionImages_[selected_[static_cast<std::size_t>(i)] ? 1 : 0];
            if (mark.empty())
                continue;
            const Box at = inDialog(kOptionMarks[i]);
            BitBlt(compose, at.x, at.y, mark.width(), mark.height(), mark.dc(), 0, 0, SRCCOPY);
        }

        SetBkMode(compose, TRANSPARENT);
        HGDIOBJ oldFont = SelectObject(compose, font_);
        SetTextColor(compose, RGB(0, 0, 0));
        drawText(compose, kHeadingText, rectOf(inDialog(kHeading)), DT_CENTER | DT_SINGLELINE);
        for (int i = 0; i < kOptionCount; ++i)
            drawText(compose, kOptionTexts[i], rectOf(inDialog(kOptionLabels[i])), DT_SINGLELINE | DT_NOCLIP);
        drawText(compose, kRepeatText, rectOf(inDialog(kRepeatLabel)), DT_SINGLELINE | DT_NOCLIP);
        RECT fileBox = rectOf(inDialog(kFileLabel));
        DrawTextW(compose, fileLabel_.c_str(), static_cast<int>(fileLabel_.size()), &fileBox,
                  DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        SelectObject(compose, linkFont_);
        SetTextColor(compose, RGB(255, 255, 255));
        drawText(compose, homePageAddress(), rectOf(kLink), DT_SINGLELINE | DT_NOCLIP);
        SelectObject(compose, oldFont);

        BitBlt(dc, 0, 0, kClientWidth, kClientHeight, compose, 0, 0, SRCCOPY);
        SelectObject(compose, old);
        DeleteObject(bitmap);
        DeleteDC(compose);
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
    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HWND combo_ = nullptr;
    HFONT font_ = nullptr;
    HFONT linkFont_ = nullptr;
    HCURSOR hand_ = nullptr;
    MemoryImage backing_;
    std::array<MemoryImage, 2> optionImages_;  // unselected, selected
    std::array<bool, kOptionCount> selected_{};
    std::wstring fileLabel_;
    std::unique_ptr<DialogButtons> buttons_;
    bool closed_ = false;
    bool busy_ = false;
};

}  // namespace

void runSettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile)
{
    Win32SettingsDialog dialog(pictures, settings, settingsFile);
    dialog.run();
}

}  // namespace zorun::host
