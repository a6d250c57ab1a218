// What the settings dialog's portable logic asks of its window, of the platform, and of the settings file.
#pragma once

#include "common/rect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zorun::host {

/// The mouse button of a press or a release on the dialog.
enum class MouseButton { Left, Right, Middle, Other };

/// The two painted surfaces: the dialog's client area and the music panel `Pic_C` element 0.
enum class Surface { Dialog, Panel };

/// The file chooser's record: what GetOpenFileNameA is given. Texts a person reads are UTF-8; the start
/// folder is a path in the settings file's own bytes.
struct OpenFileRequest {
    std::string filterDescription;
    std::string filterPattern;
    std::string initialFolder;
    std::string title;
    std::uint32_t fileBufferLength = 0;
    std::uint32_t titleBufferLength = 0;
    std::uint32_t flags = 0;
};

/// A store that failed, shown in a message box modal to the dialog, one part under the other: what went
/// wrong (UTF-8), the settings file's path (its own bytes) and the system's reason (UTF-8).
struct StoreFailure {
    std::string caption;
    std::string heading;
    std::string path;
    std::string reason;
};

/// The dialog's controls. Every call is made on the host's one thread and skips silently on failure.
class DialogView {
public:
    virtual ~DialogView() = default;
    /// The screen's size and the dialog's outer (frame) size, in pixels.
    virtual void ScreenSize(std::int32_t& width, std::int32_t& height) = 0;
    virtual void WindowSize(std::int32_t& width, std::int32_t& height) = 0;
    /// Moves the dialog's frame to (left, top) of the screen.
    virtual void MoveWindow(std::int32_t left, std::int32_t top) = 0;
    /// `Initialize` of each of the three `Command` buttons.
    virtual void InitButtons() = 0;
    /// `Enabled` of `Cmd_File`.
    virtual void SetFileButtonEnabled(bool enabled) = 0;
    /// The combo box `BGM_Repeat`: enabled state, the text in its field (UTF-8), its drop-down list.
    virtual void SetComboEnabled(bool enabled) = 0;
    virtual void SetComboText(const std::string& text) = 0;
    virtual std::string ComboText() = 0;
    virtual void SetComboList(const std::vector<std::string>& entries) = 0;
    /// Gives option mark element (0 none, 1 CD, 2 file) the selected or the not-selected picture.
    virtual void SetOptionPicture(int element, bool selected) = 0;
    /// `lbl_Fname` shows path, in the settings file's bytes.
    virtual void SetFileLabel(const std::string& path) = 0;
    /// The inner size of a surface in pixels, and one horizontal line across it from (0, y) to (width, y).
    virtual void ClientSize(Surface surface, std::int32_t& width, std::int32_t& height) = 0;
    virtual void DrawLine(Surface surface, std::int32_t y, std::int32_t width, std::uint32_t colour) = 0;
    /// The application's mouse pointer: the hourglass while busy, else the default.
    virtual void SetBusyPointer(bool busy) = 0;
    /// Shows the message box and returns when the person has closed it.
    virtual void ShowStoreFailure(const StoreFailure& failure) = 0;
    /// Unloads the dialog; the view calls back Form_Unload before the window goes.
    virtual void Close() = 0;
};

/// The platform calls the dialog makes itself, shaped after user32, comdlg32 and shell32.
class DialogShell {
public:
    virtual ~DialogShell() = default;
    /// GetCursorPos: false when the position cannot be had.
    virtual bool GetCursorPos(std::int32_t& x, std::int32_t& y) = 0;
    /// GetWindowRect of the dialog window; false (rect untouched) on failure.
    virtual bool GetWindowRect(Rect& rect) = 0;
    /// DrawAnimatedRects(dialog, IDANI_CAPTION, from, to): the caption zoom from one rectangle to another.
    virtual void DrawAnimatedRects(const Rect& from, const Rect& to) = 0;
    /// GetOpenFileNameA: the chosen path (the file buffer up to its first NUL), nothing when the person
    /// cancelled or the call failed.
    virtual std::optional<std::string> GetOpenFileNameA(const OpenFileRequest& request) = 0;
    /// ShellExecuteA(dialog, "open", address, "", "", SW_SHOWNORMAL); the result is not used.
    virtual void ShellExecuteA(const std::string& address) = 0;
};

/// The settings file's store into section "Section" of the file beside the program.
class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    /// Stores every key and value (the bytes the file holds: code page 932 key names) as one store: all
    /// of them or none. False when the file keeps its old bytes; reason then holds the system's words.
    virtual bool StoreValues(const std::vector<std::pair<std::string, std::string>>& values, std::string& reason) = 0;
    /// The file stored into, in the settings file's own bytes.
    virtual const std::string& File() const = 0;
};

}  // namespace zorun::host
