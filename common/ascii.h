// ASCII character tests and case folding, independent of the C locale: the texts they read (command
// lines, MCI commands, INI names, file types) fold only A to Z, whatever the user's code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorun::ascii {

constexpr char toLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char toUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string toLower(std::string text)
{
    for (char& c : text)
        c = toLower(c);
    return text;
}

inline std::string toUpper(std::string text)
{
    for (char& c : text)
        c = toUpper(c);
    return text;
}

/// A space or a tab.
constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

/// The same text but for the case of A to Z.
constexpr bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toLower(a[i]) != toLower(b[i]))
            return false;
    return true;
}

/// Whether text ends with tail, but for the case of A to Z.
constexpr bool endsWithIgnoringCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && equalIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace zorun::ascii
