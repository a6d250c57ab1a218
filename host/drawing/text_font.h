// A font as the platform's font object holds it: the Command caption's and the dialog's labels'.
#pragma once

#include <cstdint>
#include <string>

namespace zorun::host {

/// LOGFONT's fields that a form's font sets; the defaults are the forms' own font.
struct CaptionFont {
    std::string face = "ＭＳ Ｐゴシック";
    double points = 9.75;
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::int32_t charset = 128;  // SHIFTJIS_CHARSET
    bool operator==(const CaptionFont&) const = default;
};

/// The face to ask for where the designed one is not installed (the Windows fonts on Linux): a face of
/// the same family that our packages bring, or the face itself when there is none.
std::string substituteFace(const std::string& face);

}  // namespace zorun::host
