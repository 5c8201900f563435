// The path of the component's own module, asked through the public module functions like any host would.
#include "platform/libloader.h"

namespace k42 {

std::u16string ComponentModuleFileName() {
  HMODULE module = GetModuleHandleW(kComponentModuleName);
  if (!module) return {};
  std::u16string buffer(MAX_PATH, u'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return buffer.substr(0, length);
    if (buffer.size() > 0x100000) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace k42
