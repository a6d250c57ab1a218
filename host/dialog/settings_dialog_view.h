// The settings dialog on the screen: the platform's view around the dialog's logic.
#pragma once

#include "host/pictures/stored_pictures.h"
#include "host/settings_file.h"

#include <string>

namespace zorun::host {

/// The home page address shown in the dialog: a build setting (ZORUN_HOME_PAGE).
const char* homePageAddress();

/// Shows the settings dialog modally, with no owner, and returns when it has closed. settingsFile is
/// where "設定" writes; pictures supplies the stored pictures.
void runSettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile);

}  // namespace zorun::host
