// write_settings FILE KIND TRACK PATH: stores the three music settings as the dialog's "設定" does, through
// the settings file's own writer: the bytes an end-to-end run compares the dialog's file with.
#include "host/settings_file.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: write_settings FILE KIND TRACK PATH\n");
        return 2;
    }
    using namespace zorun;
    const std::string file = argv[1];
    WriteIniValue(kSettingsSection, kKeyKind, IniNumberText(static_cast<std::int16_t>(std::atoi(argv[2]))), file);
    WriteIniValue(kSettingsSection, kKeyRepeatTrack, IniNumberText(static_cast<std::int16_t>(std::atoi(argv[3]))),
                  file);
    WriteIniValue(kSettingsSection, kKeyFile, argv[4], file);
    return 0;
}
