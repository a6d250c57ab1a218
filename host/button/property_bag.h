// A control's persisted property set, as its container keeps it: keys without regard to case, defaults not stored.
#pragma once

#include "host/button/command_ports.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zorun::host {

class PropertyBag {
public:
    /// Scalars are kept as their decimal (or plain) text, fonts as font objects.
    using Value = std::variant<std::string, CaptionFont>;

    /// The stored value, or defaultValue when the key is missing.
    Value Read(std::string_view key, const Value& defaultValue) const;
    /// Stores the value; a value equal to its default is not stored (and removes what was stored).
    void Write(std::string_view key, const Value& value, const Value& defaultValue);
    bool Contains(std::string_view key) const;
    std::size_t Size() const { return entries_.size(); }

private:
    std::vector<std::pair<std::string, Value>> entries_;
};

}  // namespace zorun::host
