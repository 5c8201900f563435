// Text helpers built on the code-page functions and the C library's number conversion.
#include "platform/text.h"

#include <cstdlib>
#include <limits>

#include <k42gui/winnls.h>

#include "platform/wide.h"

namespace k42 {

std::string ToNarrow(std::u16string_view text) {
  if (text.empty()) return {};  // a length of 0 is an invalid argument to the code-page functions
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, AsWide(text.data()), length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, AsWide(text.data()), length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

std::u16string FromNarrow(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::u16string wide(static_cast<size_t>(size > 0 ? size : 0), u'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, AsWide(wide.data()), size);
  return wide;
}

std::u16string ToUpper(std::u16string text) {
  CharUpperBuffW(AsWide(text.data()), static_cast<DWORD>(text.size()));
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
