// The settings dialog's GTK 3 view.
#pragma once

#include "host/pictures/stored_pictures.h"
#include "host/settings_file.h"

#include <string>

namespace zorun::host {

/// Shows the settings dialog modally, with no owner, and returns when it has closed (at once without a
/// display). settingsFile is where "設定" writes; pictures supplies the stored pictures.
void runGtkSettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile);

}  // namespace zorun::host
