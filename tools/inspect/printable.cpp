// Escaping of control characters in device texts before they reach a terminal.
#include "inspect/printable.h"

#include <cstdint>

namespace inspect {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void Hex(std::string& out, const char* prefix, unsigned value, int digits) {
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 15];
}

// The length of the UTF-8 sequence starting at text[at], or 0 when it is not valid UTF-8 (overlong
// forms, surrogates and values beyond U+10FFFF included); code receives its value.
size_t Sequence(std::string_view text, size_t at, uint32_t& code) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  size_t length;
  uint32_t minimum;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2, minimum = 0x80, code = lead & 0x1f;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3, minimum = 0x800, code = lead & 0x0f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4, minimum = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xc0) != 0x80) return 0;
    code = code << 6 | (byte(at + i) & 0x3f);
  }
  if (code < minimum || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return 0;
  return length;
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
      ++at;
      continue;
    }
    if (c < 0x80) {
      switch (c) {
        case '\t':
          out += "\\t";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        default:
          Hex(out, "\\x", c, 2);
      }
      ++at;
      continue;
    }
    uint32_t code = 0;
    const size_t length = Sequence(text, at, code);
    if (length == 0) {
      Hex(out, "\\x", c, 2);
      ++at;
    } else if (code <= 0x9f) {
      Hex(out, "\\u", code, 4);
      at += length;
    } else {
      out.append(text, at, length);
      at += length;
    }
  }
  return out;
}

}  // namespace inspect
