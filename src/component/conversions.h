// Conversions between the automation types a host passes and the model's wide strings and integers.
#pragma once

#include <k42gui/oleauto.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace k42com {

// The string and output rules these implement are those of every method,
// documented in <k42gui/IGuiXmlModel.h>.

// The text of an input BSTR, up to its first NUL (identifiers never contain
// NULs, and a host may pass a plain NUL-terminated string).
std::u16string FromBstr(BSTR text);

// A new BSTR holding text (empty, not null, for an empty text).
BSTR ToBstr(std::u16string_view text);

// Stores a new BSTR of text in *out; a null out is skipped.
void WriteText(BSTR* out, std::u16string_view text);

// Sets *out to null without freeing it; a null out is skipped.
void WriteNullText(BSTR* out);

// The window handle a host passes as a long.
HWND WindowFromLong(long handle);

// The 32-bit value of an enumeration argument. Read through its bytes, so an
// out-of-range value a host casts into the enumeration is passed on as the
// number it is rather than loaded as an invalid enumeration value.
template <class E>
requires std::is_enum_v<E> int32_t EnumValue(const E& value) {
  static_assert(sizeof(E) == sizeof(int32_t), "type-library enumerations are 32 bits wide");
  int32_t number;
  std::memcpy(&number, &value, sizeof number);
  return number;
}

// Reads and writes the caller's integer outputs: `long` and the 32-bit
// enumerations (through their bytes, as EnumValue reads them). Writing to a
// null target is skipped.
template <class T>
int32_t ReadNumber(const T* source) {
  if constexpr (std::is_enum_v<T>) {
    return EnumValue(*source);
  } else {
    return static_cast<int32_t>(*source);
  }
}
template <class T>
void WriteNumber(T* target, int32_t value) {
  if (!target) return;
  if constexpr (std::is_enum_v<T>) {
    std::memcpy(target, &value, sizeof value);
  } else {
    *target = value;
  }
}

// An integer output that holds the model's value: the model works on a copy
// of what the caller's variable holds, and the caller's variable is written
// back only when the model changed that copy, so an output the model does not
// set stays as the caller left it. A null target gives a scratch value that
// goes nowhere.
template <class T>
class DirectOutput {
 public:
  explicit DirectOutput(T* target) : m_target(target), m_initial(target ? ReadNumber(target) : 0), m_value(m_initial) {}
  ~DirectOutput() { Commit(); }
  DirectOutput(const DirectOutput&) = delete;
  DirectOutput& operator=(const DirectOutput&) = delete;

  int32_t& Value() { return m_value; }

  // Writes the value back now (once); the destructor does it otherwise.
  void Commit() {
    if (m_target && m_value != m_initial) WriteNumber(m_target, m_value);
    m_target = nullptr;
  }

 private:
  T* m_target;
  int32_t m_initial;
  int32_t m_value;
};

// Runs a method body so that no C++ exception (an exhausted heap while
// copying texts) crosses the interface; such a failure answers S_FALSE, the
// only failure an interface method reports.
template <class Body>
HRESULT Shielded(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return S_FALSE;
  }
}

}  // namespace k42com
