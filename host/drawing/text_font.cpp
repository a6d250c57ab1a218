// Faces that stand in for Windows fonts where those are not installed.
#include "host/drawing/text_font.h"

namespace zorun::host {

std::string substituteFace(const std::string& face)
{
    // HACK: the designed face is a Windows font; Debian's IPA P Gothic (fonts-ipafont-gothic) has its
    // proportional metrics.
    if (face == "ＭＳ Ｐゴシック")
        return "IPAPGothic";
    return face;
}

}  // namespace zorun::host
