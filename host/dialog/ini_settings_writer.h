// The dialog's settings port on the real settings file.
#pragma once

#include "host/dialog/dialog_ports.h"
#include "host/settings_file.h"

#include <string>

namespace zorun::host {

/// Writes section "Section" of one settings file with WriteIniValue.
class IniSettingsWriter final : public SettingsWriter {
public:
    explicit IniSettingsWriter(std::string file) : file_(std::move(file)) {}
    void WriteIniValue(const std::string& key, const std::string& value) override
    {
        zorun::WriteIniValue(kSettingsSection, key, value, file_);
    }

private:
    std::string file_;
};

}  // namespace zorun::host
