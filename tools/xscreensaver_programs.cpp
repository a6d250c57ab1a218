// The settings file is read the way xscreensaver reads it: "name: value" lines, a backslash at the end
// of a line continuing the value, "#" and "!" starting comments; the programs value holds one display
// mode per "\n", each "[-] [visual:] [\"label\"] command [options]".
#include "tools/xscreensaver_programs.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zorun {

namespace {

// As xscreensaver-settings writes a ticked GL display mode: its columns, and a "\n\" that continues the
// list, which the line after it (blank, or one of ours) ends.
constexpr std::string_view kEntry = "  GL: \t\t\t\tzorun --root\t\t\t\t    \\n";
constexpr std::string_view kProgram = "zorun";

struct Line {
    std::size_t begin, end, next;  // end: where the line break starts; next: the line after it
};

struct Resource {
    std::string_view key;
    std::size_t first, last;  // lines
    std::size_t valueBegin;   // just after the colon
};

struct Entry {
    std::size_t dash;  // where its "-" is in the file, or npos when it is ticked
    bool zorun;
};

struct Edit {
    std::size_t at, removed;
    std::string inserted;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (isBlank(text.front()) || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        const std::size_t next = end < text.size() ? end + 1 : end;
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

bool continues(std::string_view text, const Line& line)
{
    return line.end > line.begin && text[line.end - 1] == '\\';
}

std::vector<Resource> readResources(std::string_view text, const std::vector<Line>& lines)
{
    std::vector<Resource> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        const std::string_view start = trim(line);
        if (start.empty() || start.front() == '#' || start.front() == '!')
            continue;
        std::size_t last = i;
        while (continues(text, lines[last]) && last + 1 < lines.size())
            ++last;
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos)
            found.push_back({trim(line.substr(0, colon)), i, last, lines[i].begin + colon + 1});
        i = last;
    }
    return found;
}

const Resource* lastNamed(const std::vector<Resource>& resources, std::string_view key)
{
    const Resource* found = nullptr;
    for (const Resource& resource : resources)
        if (resource.key == key)
            found = &resource;
    return found;
}

std::string_view firstWord(std::string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    return text.substr(0, end);
}

// One entry of the list; where[i] is the file offset of entry[i].
Entry readEntry(std::string_view entry, const std::size_t* where)
{
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < entry.size() && isBlank(entry[at]))
            ++at;
    };
    skipBlanks();
    std::size_t dash = std::string::npos;
    if (at < entry.size() && entry[at] == '-') {
        dash = where[at];
        ++at;
        skipBlanks();
    }
    if (const std::string_view visual = firstWord(entry.substr(at)); !visual.empty() && visual.back() == ':') {
        at += visual.size();
        skipBlanks();
    }
    if (at < entry.size() && entry[at] == '"') {
        const std::size_t close = entry.find('"', at + 1);
        at = close == std::string_view::npos ? entry.size() : close + 1;
        skipBlanks();
    }
    const std::string_view program = firstWord(entry.substr(at));
    const std::size_t slash = program.rfind('/');
    return {dash, program.substr(slash == std::string_view::npos ? 0 : slash + 1) == kProgram};
}

struct ProgramsValue {
    std::vector<Entry> entries;
    bool endsOpen;  // holds an entry that no "\n" ends yet
};

ProgramsValue readPrograms(std::string_view text, const std::vector<Line>& lines, const Resource& programs)
{
    std::string value;
    std::vector<std::size_t> where;
    for (std::size_t i = programs.first; i <= programs.last; ++i) {
        const std::size_t begin = i == programs.first ? programs.valueBegin : lines[i].begin;
        const std::size_t end = continues(text, lines[i]) ? lines[i].end - 1 : lines[i].end;
        for (std::size_t at = begin; at < end; ++at) {
            value += text[at];
            where.push_back(at);
        }
    }
    ProgramsValue programsValue{{}, false};
    std::size_t begin = 0;
    while (begin <= value.size()) {
        const std::size_t end = std::min(value.find("\\n", begin), value.size());
        const std::string_view entry = std::string_view(value).substr(begin, end - begin);
        if (!trim(entry).empty()) {
            programsValue.entries.push_back(readEntry(entry, where.data() + begin));
            programsValue.endsOpen = end == value.size();
        }
        begin = end + 2;
    }
    return programsValue;
}

// Zorun's entry after the list's last: into the blank line that ends an xscreensaver-written list, or
// after a last line that ends the list itself, which then continues to ours.
Edit appendEntry(std::string_view text, const std::vector<Line>& lines, const Resource& programs, bool endsOpen)
{
    const Line& last = lines[programs.last];
    const std::size_t lastValueBegin = programs.last == programs.first ? programs.valueBegin : last.begin;
    const std::string separator = endsOpen ? "\\n" : "";
    if (programs.last != programs.first && !continues(text, last) &&
        trim(text.substr(lastValueBegin, last.end - lastValueBegin)).empty())
        return {last.begin, 0, separator + std::string(kEntry) + "\\\n"};
    const std::string lineBreak = last.next > last.end ? "" : "\n";
    return {last.end, 0, separator + "\\\n" + std::string(kEntry) + lineBreak};
}

// "name:<tab>value" in place of the setting's lines, or at the end of the file when it has none.
void setValue(std::string_view text, const std::vector<Line>& lines, const std::vector<Resource>& resources,
              std::string_view key, const std::string& value, std::string& appended, std::vector<Edit>& edits)
{
    const std::string line = std::string(key) + (key.size() < 7 ? ":\t\t" : ":\t") + value;
    const Resource* found = lastNamed(resources, key);
    if (found == nullptr) {
        appended += line + "\n";
        return;
    }
    const std::size_t begin = lines[found->first].begin, end = lines[found->last].end;
    if (trim(text.substr(found->valueBegin, end - found->valueBegin)) != value)
        edits.push_back({begin, end - begin, line});
}

}  // namespace

std::optional<ProgramsEdit> addZorunProgram(std::string_view settingsFile, bool select)
{
    const std::vector<Line> lines = splitLines(settingsFile);
    const std::vector<Resource> resources = readResources(settingsFile, lines);
    const Resource* programs = lastNamed(resources, "programs");
    if (programs == nullptr)
        return std::nullopt;
    const ProgramsValue value = readPrograms(settingsFile, lines, *programs);

    ProgramsEdit result;
    std::vector<Edit> edits;
    const auto zorun = std::find_if(value.entries.begin(), value.entries.end(), [](const Entry& e) { return e.zorun; });
    std::size_t dash = std::string::npos;
    if (zorun == value.entries.end()) {
        edits.push_back(appendEntry(settingsFile, lines, *programs, value.endsOpen));
        result.added = true;
        result.index = static_cast<int>(value.entries.size());
    } else {
        dash = zorun->dash;
        result.index = static_cast<int>(zorun - value.entries.begin());
    }
    result.enabled = dash == std::string::npos;
    std::string appended;
    if (select) {
        if (!result.enabled)
            edits.push_back({dash, 1, " "});  // the column xscreensaver-settings writes for a ticked one
        result.enabled = true;
        setValue(settingsFile, lines, resources, "mode", "one", appended, edits);
        setValue(settingsFile, lines, resources, "selected", std::to_string(result.index), appended, edits);
    }

    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at > b.at; });
    result.text = settingsFile;
    for (const Edit& edit : edits)
        result.text.replace(edit.at, edit.removed, edit.inserted);
    if (!appended.empty())
        result.text += (!result.text.empty() && result.text.back() != '\n' ? "\n" : "") + appended;
    return result;
}

std::optional<std::string> programsFromDefaults(std::string_view appDefaults)
{
    const std::vector<Line> lines = splitLines(appDefaults);
    const std::vector<Resource> resources = readResources(appDefaults, lines);
    const Resource* programs = lastNamed(resources, "*programs");
    if (programs == nullptr)
        return std::nullopt;
    const Line& last = lines[programs->last];
    return "programs:" + std::string(appDefaults.substr(programs->valueBegin, last.end - programs->valueBegin)) + "\n";
}

}  // namespace zorun
