// The Win32 settings dialog's modal windows: the file chooser and the message of a failed store.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/dialog/dialog_ports.h"

#include <optional>
#include <string>

namespace zorun::host {

/// GetOpenFileNameA with the request's record, modal to owner: the file chosen, when one was.
std::optional<std::string> runFileChooser(HWND owner, HINSTANCE instance, const OpenFileRequest& request);
/// The message box of a failed store, modal to owner.
void runStoreFailureBox(HWND owner, const StoreFailure& failure);

}  // namespace zorun::host
