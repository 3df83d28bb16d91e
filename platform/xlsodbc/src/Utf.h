// Conversions between the UTF-8 and UTF-16 texts the driver meets.
#pragma once

#include <string>

namespace xlsodbc {

// Invalid sequences become U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(const std::string &text);
std::string Utf16ToUtf8(const std::u16string &text);

// Unpaired surrogates (text no reader can decode) become U+FFFD.
std::u16string ValidUtf16(std::u16string text);

// Characters as a reader counts them: a surrogate pair is one.
size_t CodePointCount(const std::u16string &text);

// Lower-case for ASCII letters only; field names compare without case.
std::u16string FoldAscii(const std::u16string &text);

} // namespace xlsodbc
