// The settings dialog's Win32 view.
#pragma once

#include "host/pictures/stored_pictures.h"
#include "host/settings_file.h"

#include <string>

namespace zorun::host {

/// Shows the settings dialog modally, with no owner, and returns when it has closed. settingsFile is
/// where "設定" writes; pictures supplies the stored pictures.
void runWin32SettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile);

}  // namespace zorun::host
