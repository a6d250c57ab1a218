// Reading and editing INI text the way the Windows profile-string calls do, on bytes in memory.
#include "host/profile/profile_engine.h"

#include "host/profile/program_folder.h"
#include "common/ascii.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zorun::profile {
namespace {

constexpr std::string_view kNewLine = "\r\n";

// Blanks the profile calls drop around lines, names and values (0x1A: the old end-of-file mark).
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// One line of the text: its bytes run from begin to contentEnd, its line end (CR LF, CR or LF, or
// nothing on a last line) up to end.
struct Line {
    std::size_t begin;
    std::size_t contentEnd;
    std::size_t end;
};

std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line{pos, pos, pos};
        while (line.contentEnd < text.size() && text[line.contentEnd] != '\r' && text[line.contentEnd] != '\n')
            ++line.contentEnd;
        line.end = line.contentEnd;
        if (line.end < text.size() && text[line.end] == '\r')
            ++line.end;
        if (line.end < text.size() && text[line.end] == '\n')
            ++line.end;
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

// What one line is to the profile calls. A section header runs from "[" to the last "]" of the line;
// a key line has its name before the first "="; anything else (blank lines, comments) is neither.
struct Parsed {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string_view name;
    std::string_view value;
};

Parsed parse(std::string_view content)
{
    const std::string_view line = trim(content);
    Parsed parsed;
    if (line.empty())
        return parsed;
    if (line.front() == '[') {
        const auto close = line.rfind(']');
        if (close != std::string_view::npos) {
            parsed.kind = Parsed::Kind::Section;
            parsed.name = trim(line.substr(1, close - 1));
            return parsed;
        }
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return parsed;
    parsed.kind = Parsed::Kind::Key;
    parsed.name = trim(line.substr(0, equals));
    parsed.value = trim(line.substr(equals + 1));
    return parsed;
}

// Where a key stands in a text: the first section of that name (the profile calls never look at a
// second one), its key line, and the last line of the section that is not blank.
struct Location {
    bool sectionFound = false;
    std::size_t lastFilled = 0;  // index into lines: the header or the section's last non-blank line
    std::optional<std::size_t> keyLine;
    std::string_view keyName;
    std::string_view value;
};

Location locate(std::string_view text, const std::vector<Line>& lines, std::string_view section, std::string_view key)
{
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view content = text.substr(lines[i].begin, lines[i].contentEnd - lines[i].begin);
        const Parsed parsed = parse(content);
        if (parsed.kind == Parsed::Kind::Section) {
            if (where.sectionFound)
                break;
            if (sameName(parsed.name, section)) {
                where.sectionFound = true;
                where.lastFilled = i;
            }
            continue;
        }
        if (!where.sectionFound)
            continue;
        if (!trim(content).empty())
            where.lastFilled = i;
        if (parsed.kind == Parsed::Kind::Key && !where.keyLine && sameName(parsed.name, key)) {
            where.keyLine = i;
            where.keyName = parsed.name;
            where.value = parsed.value;
        }
    }
    return where;
}

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (ascii::toLower(a[i]) != ascii::toLower(b[i]))
            return false;
    }
    return true;
}

std::optional<std::string> findValue(std::string_view text, std::string_view section, std::string_view key)
{
    const auto lines = splitLines(text);
    const Location where = locate(text, lines, section, key);
    if (!where.keyLine)
        return std::nullopt;
    return std::string(unquote(where.value));
}

std::string setValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    const auto lines = splitLines(text);
    const Location where = locate(text, lines, section, key);
    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    if (where.keyLine) {
        // The key keeps its spelling in the file; the line is rewritten as name=value.
        const Line& line = lines[*where.keyLine];
        out.append(text.substr(0, line.begin));
        out.append(where.keyName).append("=").append(value);
        out.append(text.substr(line.contentEnd));
        return out;
    }
    if (where.sectionFound) {
        // A new key goes after the section's last filled line, before the blank lines that part it
        // from the next section.
        const Line& line = lines[where.lastFilled];
        out.append(text.substr(0, line.end));
        if (line.end == line.contentEnd)
            out.append(kNewLine);
        out.append(key).append("=").append(value).append(kNewLine);
        out.append(text.substr(line.end));
        return out;
    }
    out.append(text);
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        out.append(kNewLine);
    out.append("[").append(section).append("]").append(kNewLine);
    out.append(key).append("=").append(value).append(kNewLine);
    return out;
}

bool storable(std::string_view section, std::string_view key, std::string_view value)
{
    const auto breaksLines = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
    if (breaksLines(section) || breaksLines(key) || breaksLines(value))
        return false;
    if (trim(section).empty() || trim(key).empty() || key.find('=') != std::string_view::npos)
        return false;
    // The line must read back as this key: "[name=va]lue" reads as a section header, and the key would
    // be lost, and with it the keys after it in its section.
    const std::string line = std::string(key) + "=" + std::string(value);
    const Parsed parsed = parse(line);
    return parsed.kind == Parsed::Kind::Key && parsed.name == trim(key);
}

std::uint32_t copyOut(std::string_view text, char* buffer, std::uint32_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

std::string_view usableDefault(const char* def)
{
    if (def == nullptr)
        return {};
    std::string_view s(def);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace zorun::profile
