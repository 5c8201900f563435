// Automation strings: length-prefixed UTF-16 buffers in the Windows layout.
#include <k42gui/oleauto.h>

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Bytes in front of the characters: the 32-bit byte length.
constexpr size_t kPrefix = sizeof(DWORD);
// Bytes after the characters: one NUL character.
constexpr size_t kSuffix = sizeof(OLECHAR);

BYTE* BlockOf(BSTR bstr) { return reinterpret_cast<BYTE*>(bstr) - kPrefix; }

// Allocates a string of `bytes` bytes, copies `data` (zero-fills without
// it) and adds the NUL. The byte length must fit the 32-bit prefix.
BSTR Allocate(const void* data, size_t bytes) {
  if (bytes > std::numeric_limits<DWORD>::max() - kPrefix - kSuffix) return nullptr;
  auto* block = static_cast<BYTE*>(std::malloc(kPrefix + bytes + kSuffix));
  if (block == nullptr) return nullptr;
  DWORD length = static_cast<DWORD>(bytes);
  std::memcpy(block, &length, kPrefix);
  if (data != nullptr) {
    std::memcpy(block + kPrefix, data, bytes);
  } else {
    std::memset(block + kPrefix, 0, bytes);
  }
  std::memset(block + kPrefix + bytes, 0, kSuffix);
  return reinterpret_cast<BSTR>(block + kPrefix);
}

size_t TextLength(const OLECHAR* psz) {
  size_t n = 0;
  while (psz[n] != 0) ++n;
  return n;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz) {
  if (psz == nullptr) return nullptr;
  return Allocate(psz, TextLength(psz) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  return Allocate(strIn, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len) { return Allocate(psz, len); }

INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
  if (pbstr == nullptr) return FALSE;
  // Allocate before freeing: `psz` may point into the old string.
  BSTR replacement = SysAllocStringLen(psz, len);
  if (replacement == nullptr) return FALSE;
  SysFreeString(*pbstr);
  *pbstr = replacement;
  return TRUE;
}

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
  if (pbstr == nullptr) return FALSE;
  if (psz == nullptr) {
    SysFreeString(*pbstr);
    *pbstr = nullptr;
    return TRUE;
  }
  return SysReAllocStringLen(pbstr, psz, static_cast<UINT>(TextLength(psz)));
}

UINT SysStringByteLen(BSTR bstr) {
  if (bstr == nullptr) return 0;
  DWORD length;
  std::memcpy(&length, BlockOf(bstr), kPrefix);
  return length;
}

UINT SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }

void SysFreeString(BSTR bstrString) {
  if (bstrString != nullptr) std::free(BlockOf(bstrString));
}
