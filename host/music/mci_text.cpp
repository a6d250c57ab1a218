// Word splitting, keyword comparison, error texts and reply copying for our own MCI.
#include "host/music/mci_text.h"

#include "host/music/mci_port.h"
#include "common/ascii.h"

#include <algorithm>
#include <cstring>

namespace zorun::music {
namespace {

struct ErrorText {
    std::uint32_t code;
    const char* text;
};

// The texts as winmm's English string table gives them (compared with Wine's winmm by the tests).
constexpr ErrorText kErrorTexts[] = {
    {kMcierrUnrecognizedKeyword, "The driver cannot recognize the specified command parameter."},
    {kMcierrUnrecognizedCommand, "The driver cannot recognize the specified command."},
    {kMcierrInvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
    {kMcierrCannotLoadDriver, "There is an undetectable problem in loading the specified device driver."},
    {kMcierrMissingCommandString, "No command was specified."},
    {kMcierrParamOverflow,
     "The output string was too large to fit in the return buffer. Increase the size of the buffer."},
    {kMcierrBadInteger, "The specified integer is invalid for this command."},
    {kMcierrMissingParameter, "The specified command requires a parameter. Please supply one."},
    {kMcierrFileNotFound, "Cannot find the specified file. Make sure the path and filename are correct."},
    {kMcierrDeviceNotReady, "The device driver is not ready."},
    {kMcierrInternal, "A problem occurred in initializing MCI. Try restarting Windows."},
    {kMcierrOutOfRange, "The specified parameter is out of range for the specified command."},
    {kMcierrDuplicateAlias, "The specified alias is already being used in this application. Use a unique alias."},
    {kMcierrMissingDeviceName,
     "The specified command requires an alias, file, driver, or device name. Please supply one."},
    {kMcierrNoClosingQuote, "A closing double-quotation mark is missing from the parameter value. Please supply one."},
};

}  // namespace

std::uint32_t splitMciCommand(std::string_view command, std::vector<std::string>& words)
{
    words.clear();
    std::size_t i = 0;
    while (i < command.size()) {
        if (ascii::isBlank(command[i])) {
            ++i;
            continue;
        }
        std::string word;
        if (command[i] == '"') {
            std::size_t close = command.find('"', i + 1);
            if (close == std::string_view::npos)
                return kMcierrNoClosingQuote;
            word.assign(command.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            while (i < command.size() && !ascii::isBlank(command[i]))
                word += command[i++];
        }
        words.push_back(std::move(word));
    }
    return 0;
}

bool sameMciWord(std::string_view a, std::string_view b)
{
    return ascii::equalIgnoringCase(a, b);
}

const char* mciErrorText(std::uint32_t code)
{
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return nullptr;
}

int copyMciErrorText(std::uint32_t code, char* text, unsigned textLength)
{
    const char* known = mciErrorText(code);
    if (known == nullptr || text == nullptr || textLength == 0)
        return 0;
    std::size_t length = std::min<std::size_t>(std::strlen(known), textLength - 1);
    std::memcpy(text, known, length);
    text[length] = '\0';
    return 1;
}

std::uint32_t copyMciReply(std::string_view value, char* reply, unsigned replyLength)
{
    if (reply == nullptr)
        return 0;
    if (value.size() + 1 > replyLength) {
        if (replyLength > 0)
            reply[0] = '\0';
        return kMcierrParamOverflow;
    }
    std::memcpy(reply, value.data(), value.size());
    reply[value.size()] = '\0';
    return 0;
}

}  // namespace zorun::music
