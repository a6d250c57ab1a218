// The dialog's settings port on the real settings file.
#pragma once

#include "host/dialog/dialog_ports.h"
#include "host/settings_file.h"

#include <string>

namespace zorun::host {

/// Stores into section "Section" of one settings file with WriteIniValues.
class IniSettingsWriter final : public SettingsWriter {
public:
    explicit IniSettingsWriter(std::string file) : file_(std::move(file)) {}
    bool StoreValues(const std::vector<std::pair<std::string, std::string>>& values, std::string& reason) override
    {
        return zorun::WriteIniValues(kSettingsSection, values, file_, reason);
    }
    const std::string& File() const override { return file_; }

private:
    std::string file_;
};

}  // namespace zorun::host
