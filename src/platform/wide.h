// The model's UTF-16 texts seen as the platform's wide characters and back, at the calls into the platform API.
#pragma once

#include <k42gui/wintypes.h>

namespace k42 {

// The model keeps text as char16_t (Xerces' XMLCh); the platform API takes WCHAR, which is char16_t here and
// wchar_t on Windows. Both are UTF-16 code units of the same size, so a text is viewed, never copied.
static_assert(sizeof(WCHAR) == sizeof(char16_t), "WCHAR must be a UTF-16 code unit");

inline const WCHAR* AsWide(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }
inline WCHAR* AsWide(char16_t* text) { return reinterpret_cast<WCHAR*>(text); }
inline const char16_t* AsU16(const WCHAR* text) { return reinterpret_cast<const char16_t*>(text); }
inline char16_t* AsU16(WCHAR* text) { return reinterpret_cast<char16_t*>(text); }

}  // namespace k42
