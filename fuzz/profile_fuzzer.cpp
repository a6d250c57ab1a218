// Writes one key into arbitrary settings-file bytes and reads it back: the written value must be found,
// and every other key must keep the value it had.
#include "host/profile/profile_engine.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

// Names and values the reader gives back as they are: no blanks at the ends (the reader trims lines),
// for a value also no surrounding quote pair.
bool untrimmed(const std::string& text)
{
    return text.empty() || (!blank(text.front()) && !blank(text.back()));
}

bool readsBackAsWritten(const std::string& value)
{
    return untrimmed(value) &&
           !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zorun::profile;
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(32);
    const std::string key = input.ConsumeRandomLengthString(32);
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string otherSection = input.ConsumeRandomLengthString(32);
    const std::string otherKey = input.ConsumeRandomLengthString(32);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const auto before = findValue(text, otherSection, otherKey);
    // The settings file writes fixed names; names with blanks at their ends are not read back as given.
    if (!storable(section, key, value) || !untrimmed(section) || !untrimmed(key))
        return 0;
    const std::string written = setValue(text, section, key, value);
    const auto found = findValue(written, section, key);
    if (!found || (readsBackAsWritten(value) && *found != value))
        std::abort();
    if (!(sameName(otherSection, section) && sameName(otherKey, key)) &&
        findValue(written, otherSection, otherKey) != before)
        std::abort();
    return 0;
}
