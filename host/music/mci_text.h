// The text side of our own MCI: splitting a command string into words and the error texts of winmm.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorun::music {

/// The words of an MCI command string: split at blanks and tabs, a word in double quotes kept whole
/// (quotes removed, blanks and any other bytes inside kept). 0, or the MCI error code of a quote
/// that is not closed.
std::uint32_t splitMciCommand(std::string_view command, std::vector<std::string>& words);

/// True when the two words are equal without regard to ASCII case, as MCI compares keywords.
bool sameMciWord(std::string_view a, std::string_view b);

/// The English text winmm gives for an MCI error code, or null for a code we do not know.
const char* mciErrorText(std::uint32_t code);

/// mciGetErrorStringA on the texts above: copies the text, cut to fit with its NUL. Non-zero when
/// the code is known and the buffer has room for at least the NUL.
int copyMciErrorText(std::uint32_t code, char* text, unsigned textLength);

/// Writes a reply as mciSendStringA does: 0, or MCIERR_PARAM_OVERFLOW when it does not fit with its
/// NUL. A null buffer drops the reply.
std::uint32_t copyMciReply(std::string_view value, char* reply, unsigned replyLength);

}  // namespace zorun::music
