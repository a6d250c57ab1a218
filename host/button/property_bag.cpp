// The persisted property set of a control.
#include "host/button/property_bag.h"

#include "common/ascii.h"

#include <algorithm>

namespace zorun::host {

namespace {

bool sameKey(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return ascii::toLower(x) == ascii::toLower(y); });
}

}  // namespace

PropertyBag::Value PropertyBag::Read(std::string_view key, const Value& defaultValue) const
{
    for (const auto& [name, value] : entries_)
        if (sameKey(name, key))
            return value;
    return defaultValue;
}

void PropertyBag::Write(std::string_view key, const Value& value, const Value& defaultValue)
{
    std::erase_if(entries_, [&](const auto& entry) { return sameKey(entry.first, key); });
    if (value != defaultValue)
        entries_.emplace_back(std::string(key), value);
}

bool PropertyBag::Contains(std::string_view key) const
{
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) { return sameKey(entry.first, key); });
}

}  // namespace zorun::host
