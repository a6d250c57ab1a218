// Feeds arbitrary command lines to the host's reading of them: argument text, mode letter, preview handle.
#include "host/command_line.h"
#include "host/startup.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zorun::host;
    const std::string commandLine(reinterpret_cast<const char*>(data), size);
    const std::string arguments = ArgumentText(commandLine);
    // The arguments are the tail of the command line, never more.
    if (arguments.size() > commandLine.size() ||
        commandLine.compare(commandLine.size() - arguments.size(), arguments.size(), arguments) != 0)
        std::abort();
    const std::string letter = ModeLetter(arguments);
    if (letter.size() > 1 || (arguments.size() >= 2) != (letter.size() == 1))
        std::abort();
    const std::int32_t handle = PreviewHandle(arguments);
    if (arguments.size() < 4 && handle != 0)
        std::abort();
    return 0;
}
