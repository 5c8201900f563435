// Text helpers of every reader: narrow conversion, upper-casing and leading integers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k42 {

// The text in the system's ANSI code page (UTF-8 with the stand-ins), as WideCharToMultiByte(CP_ACP)
// gives it; unpaired surrogates become U+FFFD.
std::string ToNarrow(std::u16string_view text);

// The UTF-16 form of an ANSI code-page text, as MultiByteToWideChar(CP_ACP) gives it;
// ill-formed sequences become U+FFFD.
std::u16string FromNarrow(std::string_view text);

// The text upper-cased by CharUpperW's rules (Unicode simple mapping), all of
// it, NULs included.
std::u16string ToUpper(std::u16string text);

// The leading decimal integer of a text, read as the C library's atol reads it:
// leading blanks (isspace) skipped, an optional '+' or '-', then decimal
// digits up to the first other character; 0 when there are no digits (so
// "0x1F" is 0 and " 12abc" is 12). A value beyond 32 bits saturates to
// INT32_MIN or INT32_MAX, which is what Windows' 32-bit atol returns.
int32_t LeadingInteger(std::string_view text);

// The same for a wide text, converted with ToNarrow first.
int32_t LeadingInteger(std::u16string_view text);

}  // namespace k42
