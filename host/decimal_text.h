// Reads a decimal number as the host's texts hold them: blanks, an optional sign, digits, a fraction.
#pragma once

#include "common/ascii.h"

#include <cstddef>
#include <string_view>

namespace zorun {

using ascii::isBlank;
using ascii::isDigit;

/// The parts of a decimal number found in a text; the caller decides what the value may be.
struct DecimalText {
    bool negative = false;
    std::string_view whole;     // digits before the point
    std::string_view fraction;  // digits after it
    std::size_t end = 0;        // where the number stops
    constexpr bool hasDigits() const { return !whole.empty() || !fraction.empty(); }
};

/// Scans from start: leading blanks, a sign, digits, and a point followed by digits.
constexpr DecimalText scanDecimal(std::string_view text, std::size_t start = 0)
{
    DecimalText number;
    std::size_t i = start;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        number.negative = text[i++] == '-';
    const std::size_t wholeStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    number.whole = text.substr(wholeStart, i - wholeStart);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        number.fraction = text.substr(fractionStart, i - fractionStart);
    }
    number.end = i;
    return number;
}

}  // namespace zorun
