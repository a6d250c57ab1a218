// The home page the settings dialog shows and opens.
#pragma once

namespace zorun::host {

/// The home page address shown in the dialog: a build setting (ZORUN_HOME_PAGE).
const char* homePageAddress();

}  // namespace zorun::host
