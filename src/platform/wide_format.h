// Windows-style wide printf formatting (%s is a wide string), used by the logger.
#pragma once

#include <cstdarg>
#include <string>

namespace k42 {

// Formats `format` with the arguments in `args` under the rules of Windows'
// wide printf family (documented in k42gui/Logger.h): %s and %c take wide
// (UTF-16) arguments, %S/%hs and %C/%hc narrow (UTF-8) ones, a plain or `l`
// integer is 32 bits. Narrow text is converted from UTF-8. A null format gives
// an empty result; an unknown conversion is copied to the output as written.
std::u16string FormatWide(const char16_t* format, va_list args);

}  // namespace k42
