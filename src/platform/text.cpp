// Text helpers built on the code-page functions and the C library's number conversion.
#include "platform/text.h"

#include <cstdlib>
#include <limits>

#include "platform/utf.h"
#include <k42gui/winnls.h>

namespace k42 {

std::string ToNarrow(std::u16string_view text) {
  // The ANSI code page is UTF-8, so this is exactly WideCharToMultiByte(CP_ACP).
  return utf::ToUtf8(text);
}

std::u16string FromNarrow(std::string_view text) { return utf::ToUtf16(text); }

std::u16string ToUpper(std::u16string text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

int32_t LeadingInteger(std::string_view text) {
  // strtoll needs a terminated text; the copy also stops it at an embedded NUL, as atol would.
  std::string terminated(text);
  long long value = std::strtoll(terminated.c_str(), nullptr, 10);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

int32_t LeadingInteger(std::u16string_view text) { return LeadingInteger(ToNarrow(text)); }

}  // namespace k42
