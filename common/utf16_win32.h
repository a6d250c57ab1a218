// Text between our UTF-8 (or the system's ANSI code page) and the UTF-16 of Windows' wide calls.
#pragma once

#include <string>
#include <string_view>

namespace zorun {

/// The code pages our texts come in: UTF-8 (CP_UTF8), or the system's ANSI code page (CP_ACP), which is
/// what an ANSI call and a file path take.
enum class CodePage : unsigned { Ansi = 0, Utf8 = 65001 };

/// Bytes of the code page as UTF-16; empty when they cannot be converted.
std::wstring toUtf16(std::string_view text, CodePage codePage = CodePage::Utf8);
/// UTF-16 as bytes of the code page; empty when it cannot be converted.
std::string fromUtf16(std::wstring_view text, CodePage codePage = CodePage::Utf8);

}  // namespace zorun
