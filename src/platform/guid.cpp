// Conversion of GUIDs to and from their brace text form.
#include <k42gui/objbase.h>

#include <cstring>

namespace {

constexpr int kGuidTextLength = 38;  // without the terminating NUL

int HexValue(OLECHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Reads `digits` hexadecimal digits at `text`; false if any is not one.
bool ReadHex(LPCOLESTR text, int digits, unsigned long long* value) {
  *value = 0;
  for (int i = 0; i < digits; ++i) {
    int v = HexValue(text[i]);
    if (v < 0) return false;
    *value = (*value << 4) | static_cast<unsigned>(v);
  }
  return true;
}

void WriteHex(unsigned long long value, int digits, LPOLESTR out) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = kDigits[value & 0xF];
    value >>= 4;
  }
}

// Parses exactly "{8-4-4-4-12}" followed by the end of the text. The text is
// read character by character, so a short text stops at its NUL.
bool ParseGuid(LPCOLESTR text, GUID* guid) {
  if (text[0] != u'{') return false;
  unsigned long long v = 0;
  GUID g{};
  if (!ReadHex(text + 1, 8, &v) || text[9] != u'-') return false;
  g.Data1 = static_cast<DWORD>(v);
  if (!ReadHex(text + 10, 4, &v) || text[14] != u'-') return false;
  g.Data2 = static_cast<WORD>(v);
  if (!ReadHex(text + 15, 4, &v) || text[19] != u'-') return false;
  g.Data3 = static_cast<WORD>(v);
  for (int i = 0; i < 8; ++i) {
    // Two bytes before the fourth dash, six after it.
    if (i == 2 && text[24] != u'-') return false;
    int pos = i < 2 ? 20 + 2 * i : 25 + 2 * (i - 2);
    if (!ReadHex(text + pos, 2, &v)) return false;
    g.Data4[i] = static_cast<BYTE>(v);
  }
  if (text[37] != u'}' || text[38] != 0) return false;
  *guid = g;
  return true;
}

}  // namespace

int StringFromGUID2(REFGUID guid, LPOLESTR lpsz, int cchMax) {
  if (lpsz == nullptr || cchMax < kGuidTextLength + 1) return 0;
  OLECHAR* p = lpsz;
  *p++ = u'{';
  WriteHex(guid.Data1, 8, p), p += 8;
  *p++ = u'-';
  WriteHex(guid.Data2, 4, p), p += 4;
  *p++ = u'-';
  WriteHex(guid.Data3, 4, p), p += 4;
  *p++ = u'-';
  for (int i = 0; i < 8; ++i) {
    if (i == 2) *p++ = u'-';
    WriteHex(guid.Data4[i], 2, p), p += 2;
  }
  *p++ = u'}';
  *p = 0;
  return kGuidTextLength + 1;
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
  if (pclsid == nullptr) return E_INVALIDARG;
  *pclsid = CLSID_NULL;
  if (lpsz == nullptr) return NOERROR;
  return ParseGuid(lpsz, pclsid) ? NOERROR : CO_E_CLASSSTRING;
}

HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid) {
  if (lpiid == nullptr) return E_INVALIDARG;
  *lpiid = IID_NULL;
  if (lpsz == nullptr) return S_OK;
  return ParseGuid(lpsz, lpiid) ? S_OK : E_INVALIDARG;
}
