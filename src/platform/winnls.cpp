// Code-page conversions (the ANSI code page is UTF-8) and Unicode simple upper-casing.
#include <k42gui/winnls.h>

#include <k42gui/winuser.h>
#include <locale.h>
#include <wctype.h>

#include <cstring>
#include <string>
#include <string_view>

#include "platform/utf.h"

namespace {

bool IsAnsiCodePage(UINT codePage) { return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP; }

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Copies a converted text into the caller's buffer under Windows' size rules.
template <typename Char>
int Deliver(const std::basic_string<Char>& converted, Char* output, int outputSize) {
  if (converted.size() > 0x7FFFFFFF) return Fail(ERROR_INSUFFICIENT_BUFFER);
  int needed = static_cast<int>(converted.size());
  if (outputSize == 0) return needed;
  if (needed > outputSize) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(output, converted.data(), converted.size() * sizeof(Char));
  return needed;
}

// The "C.UTF-8" character-type locale carries the Unicode case mappings; it is
// looked up once and kept for the life of the process.
locale_t CaseLocale() {
  static locale_t locale = [] {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
      if (locale_t found = newlocale(LC_CTYPE_MASK, name, locale_t(0))) return found;
    return newlocale(LC_CTYPE_MASK, "C", locale_t(0));  // ASCII only, but still upper-cases
  }();
  return locale;
}

char32_t UpperCodePoint(char32_t cp) {
  locale_t locale = CaseLocale();
  return locale ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), locale)) : cp;
}

// Upper-cases in place; a mapping that would change the text's length in
// UTF-16 units is not applied, so the buffer keeps its size.
void UpperInPlace(char16_t* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      char32_t cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      char32_t upper = UpperCodePoint(cp);
      if (upper >= 0x10000 && upper <= 0x10FFFF) {
        upper -= 0x10000;
        text[i] = static_cast<char16_t>(0xD800 | (upper >> 10));
        text[i + 1] = static_cast<char16_t>(0xDC00 | (upper & 0x3FF));
      }
      ++i;
    } else if (unit < 0xD800 || unit > 0xDFFF) {
      char32_t upper = UpperCodePoint(unit);
      if (upper < 0x10000 && (upper < 0xD800 || upper > 0xDFFF)) text[i] = static_cast<char16_t>(upper);
    }
  }
}

}  // namespace

UINT WINAPI GetACP(void) { return CP_UTF8; }

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar) {
  bool ansi = IsAnsiCodePage(CodePage);
  if (!ansi && CodePage != CP_UTF8) return Fail(ERROR_INVALID_PARAMETER);
  if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 || (cbMultiByte > 0 && !lpMultiByteStr))
    return Fail(ERROR_INVALID_PARAMETER);
  if (!ansi && (lpDefaultChar || lpUsedDefaultChar)) return Fail(ERROR_INVALID_PARAMETER);
  if (!ansi && (dwFlags & ~DWORD(WC_ERR_INVALID_CHARS))) return Fail(ERROR_INVALID_FLAGS);

  std::u16string_view source =
      cchWideChar == -1 ? std::u16string_view(lpWideCharStr, std::char_traits<char16_t>::length(lpWideCharStr) + 1)
                        : std::u16string_view(lpWideCharStr, static_cast<size_t>(cchWideChar));
  bool replaced = false;
  std::string converted = k42::utf::ToUtf8(source, &replaced);
  if (replaced && !ansi && (dwFlags & WC_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
  if (lpUsedDefaultChar) *lpUsedDefaultChar = replaced ? TRUE : FALSE;
  return Deliver(converted, lpMultiByteStr, cbMultiByte);
}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
  if (!IsAnsiCodePage(CodePage) && CodePage != CP_UTF8) return Fail(ERROR_INVALID_PARAMETER);
  if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 || (cchWideChar > 0 && !lpWideCharStr))
    return Fail(ERROR_INVALID_PARAMETER);
  if (dwFlags & ~DWORD(MB_ERR_INVALID_CHARS | MB_PRECOMPOSED)) return Fail(ERROR_INVALID_FLAGS);

  std::string_view source = cbMultiByte == -1 ? std::string_view(lpMultiByteStr, std::strlen(lpMultiByteStr) + 1)
                                              : std::string_view(lpMultiByteStr, static_cast<size_t>(cbMultiByte));
  bool replaced = false;
  std::u16string converted = k42::utf::ToUtf16(source, &replaced);
  if (replaced && (dwFlags & MB_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
  return Deliver(converted, lpWideCharStr, cchWideChar);
}

LPWSTR WINAPI CharUpperW(LPWSTR lpsz) {
  uintptr_t value = reinterpret_cast<uintptr_t>(lpsz);
  if ((value >> 16) == 0) {
    char16_t single = static_cast<char16_t>(value);
    UpperInPlace(&single, 1);
    return reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(single));
  }
  UpperInPlace(lpsz, std::char_traits<char16_t>::length(lpsz));
  return lpsz;
}

DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength) {
  if (!lpsz) return 0;
  UpperInPlace(lpsz, cchLength);
  return cchLength;
}
