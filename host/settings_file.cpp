// The host's settings file "Zorun.ini": the shared music settings and the routines that load and store them.
#include "host/settings_file.h"

#include "host/decimal_text.h"
#include "host/profile/profile_strings.h"

#include <array>
#include <cstdio>
#include <optional>

namespace zorun {
namespace {

constexpr std::uint32_t kValueBufferSize = 256;
constexpr std::size_t kNameBufferSize = 128;

// The largest integer not above the decimal number in text (blanks around it, a sign and a fraction
// allowed), when there is one and it fits 16 bits.
std::optional<std::int16_t> settingNumber(std::string_view text)
{
    const DecimalText number = scanDecimal(text);
    std::size_t i = number.end;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (!number.hasDigits() || i != text.size())
        return std::nullopt;
    // Stops adding digits once out of range, so a long run of them cannot overflow.
    std::int64_t whole = 0;
    for (char digit : number.whole) {
        whole = whole * 10 + (digit - '0');
        if (whole > INT16_MAX + 1)
            return std::nullopt;
    }
    const bool fraction = number.fraction.find_first_not_of('0') != std::string_view::npos;
    const std::int64_t floor = number.negative ? -whole - (fraction ? 1 : 0) : whole;
    if (floor < INT16_MIN || floor > INT16_MAX)
        return std::nullopt;
    return static_cast<std::int16_t>(floor);
}

// An empty value means 0; a value that is not a usable number leaves the setting as it was.
void setNumber(std::int16_t& setting, const std::string& value)
{
    if (value.empty()) {
        setting = 0;
        return;
    }
    if (const auto number = settingNumber(value))
        setting = *number;
}

// A section or key name as the 128-character buffer it passes through holds it.
std::string nameInBuffer(const std::string& name)
{
    return name.substr(0, kNameBufferSize - 1);
}

// True when path ends in the character c, not merely in a second byte of a double-byte character
// that has c's value.
bool endsInCharacter(std::string_view path, char c, const PathStyle& style)
{
    if (path.empty() || path.back() != c)
        return false;
    std::size_t i = 0;
    while (i + 1 < path.size())
        i += style.isLeadByte(static_cast<unsigned char>(path[i])) ? 2 : 1;
    return i == path.size() - 1;
}

// A file that cannot be read is no file, and kind 2 without one plays nothing; the file chooser opens
// where the file is, else in the program's folder.
void settleMusicFile(SharedSettings& settings, std::string_view programFolder, const PathStyle& style)
{
    if (!settings.BGM_File.empty() && !FileExists(settings.BGM_File, style))
        settings.BGM_File.clear();
    if (settings.BGM_File.empty() && settings.BGM_Kind == 2)
        settings.BGM_Kind = 0;

    settings.BGM_Folder = settings.BGM_File.empty() ? std::string(programFolder) : FolderOf(settings.BGM_File, style);
}

}  // namespace

SharedSettings& Settings()
{
    static SharedSettings settings;
    return settings;
}

void LoadSettings()
{
    const std::string folder = ProgramFolder();
    LoadSettings(Settings(), settingsFiles(folder).read, folder);
}

void LoadSettings(SharedSettings& settings, const std::string& file, std::string_view programFolder,
                  const PathStyle& style)
{
    setNumber(settings.BGM_Kind, ReadIniValue(kSettingsSection, kKeyKind, file));
    setNumber(settings.BGM_RepeatTrack, ReadIniValue(kSettingsSection, kKeyRepeatTrack, file));

    settings.BGM_File = ReadIniValue(kSettingsSection, kKeyFile, file);
    settleMusicFile(settings, programFolder, style);
}

void ApplyMusicOptions(SharedSettings& settings, const MusicOptions& options, std::string_view programFolder,
                       const PathStyle& style)
{
    settings.BGM_Kind = options.kind.value_or(settings.BGM_Kind);
    settings.BGM_RepeatTrack = options.repeatTrack.value_or(settings.BGM_RepeatTrack);
    settings.BGM_File = options.file.value_or(settings.BGM_File);
    settleMusicFile(settings, programFolder, style);
}

std::string ReadIniValue(const std::string& section, const std::string& key, const std::string& file)
{
    std::array<char, kValueBufferSize> buffer{};
    profile::getString(section.c_str(), key.c_str(), "", buffer.data(), kValueBufferSize, file.c_str());
    return std::string(buffer.data());
}

void WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file)
{
    const std::string sectionName = nameInBuffer(section);
    const std::string keyName = nameInBuffer(key);
    profile::writeString(sectionName.c_str(), keyName.c_str(), value.c_str(), file.c_str());
}

bool WriteIniValues(const std::string& section, const IniValues& values, const std::string& file, std::string& reason)
{
    IniValues named;
    for (const auto& [key, value] : values)
        named.emplace_back(nameInBuffer(key), value);
    return profile::writeStrings(nameInBuffer(section), named, file, reason);
}

std::int16_t FileExists(std::string_view path, const PathStyle& style)
{
    std::string copy(path);
    if (endsInCharacter(copy, style.separator, style))
        copy.pop_back();
    if (copy.empty())
        return 0;
    std::FILE* f = std::fopen(copy.c_str(), "rb");
    if (f == nullptr)
        return 0;
    // A folder opens on some systems but cannot be read: only a readable file counts.
    const bool readable = std::fgetc(f) != EOF || !std::ferror(f);
    std::fclose(f);
    return readable ? -1 : 0;
}

std::string FolderOf(std::string_view path, const PathStyle& style)
{
    std::size_t cut = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (style.isLeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;  // the second byte of a double-byte character is never a separator
            continue;
        }
        if (style.nameBreaks.find(path[i]) != std::string_view::npos)
            cut = i + 1;
    }
    std::string folder(path.substr(0, cut));
    if (!folder.empty() && folder.back() == style.separator)
        folder.pop_back();
    return folder;
}

std::string IniNumberText(std::int16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, value < 0 ? "%d" : " %d", static_cast<int>(value));
    return text;
}

}  // namespace zorun
