// The argument text of a Windows command line: the program's name and the blanks after it skipped.
#include "host/command_line.h"

namespace zorun::host {

namespace {

// Control characters count as blanks here, as the C runtime's start-up code counts them.
bool isBlank(char c)
{
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string ArgumentText(std::string_view commandLine)
{
    // The name is read as the C runtime reads it for WinMain: a quoted name runs to the next quote
    // (blanks inside belong to it, and "name"/s already starts the arguments), any other name to the
    // first blank.
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !isBlank(commandLine[i]))
            ++i;
    }
    while (i < commandLine.size() && isBlank(commandLine[i]))
        ++i;
    return std::string(commandLine.substr(i));
}

}  // namespace zorun::host
