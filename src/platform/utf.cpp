// UTF-16 <-> UTF-8 transcoding with U+FFFD for ill-formed input.
#include "platform/utf.h"

namespace k42::utf {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (cp >> 10));
    out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
  }
}

// Length of the sequence a lead byte starts (0 for a byte that cannot lead) and
// the range allowed for the second byte, which is what excludes overlong forms,
// encoded surrogates and values beyond U+10FFFF.
struct LeadInfo {
  int length;
  unsigned char low;
  unsigned char high;
};

LeadInfo InfoOf(unsigned char lead) {
  if (lead < 0x80) return {1, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

void AppendUtf8(std::string& out, std::u16string_view text, bool* replaced) {
  out.reserve(out.size() + text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      char32_t cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      AppendCodePoint(out, cp);
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendCodePoint(out, kReplacement);
      if (replaced) *replaced = true;
    } else {
      AppendCodePoint(out, unit);
    }
  }
}

std::string ToUtf8(std::u16string_view text, bool* replaced) {
  std::string out;
  AppendUtf8(out, text, replaced);
  return out;
}

void AppendUtf16(std::u16string& out, std::string_view text, bool* replaced) {
  out.reserve(out.size() + text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    LeadInfo info = InfoOf(lead);
    if (info.length == 1) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    if (info.length == 0) {
      AppendCodePoint(out, kReplacement);
      if (replaced) *replaced = true;
      ++i;
      continue;
    }
    char32_t cp = lead & (0xFF >> (info.length + 1));
    size_t j = i + 1;
    bool complete = true;
    for (int k = 1; k < info.length; ++k, ++j) {
      unsigned char low = k == 1 ? info.low : 0x80;
      unsigned char high = k == 1 ? info.high : 0xBF;
      if (j >= text.size()) {
        complete = false;
        break;
      }
      unsigned char byte = static_cast<unsigned char>(text[j]);
      if (byte < low || byte > high) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (byte & 0x3F);
    }
    if (complete) {
      AppendCodePoint(out, cp);
    } else {
      // The lead and the valid continuation bytes seen so far form one maximal
      // ill-formed subpart; the offending byte is looked at again as a new start.
      AppendCodePoint(out, kReplacement);
      if (replaced) *replaced = true;
    }
    i = j;
  }
}

std::u16string ToUtf16(std::string_view text, bool* replaced) {
  std::u16string out;
  AppendUtf16(out, text, replaced);
  return out;
}

}  // namespace k42::utf
