// Conversions between automation strings and the model's wide strings.
#include "component/conversions.h"

#include <cstdint>

#include "platform/wide.h"

namespace k42com {

std::u16string FromBstr(BSTR text) { return text ? std::u16string(k42::AsU16(text)) : std::u16string(); }

BSTR ToBstr(std::u16string_view text) {
  return SysAllocStringLen(k42::AsWide(text.data()), static_cast<UINT>(text.size()));
}

void WriteText(BSTR* out, std::u16string_view text) {
  if (out) *out = ToBstr(text);
}

void WriteNullText(BSTR* out) {
  if (out) *out = nullptr;
}

HWND WindowFromLong(long handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }

}  // namespace k42com
