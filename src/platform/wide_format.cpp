// Windows-style wide printf formatting: conversions parsed here, numbers rendered by snprintf.
#include "platform/wide_format.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/utf.h"

namespace k42 {
namespace {

// Widths and precisions beyond this are clamped: they can only come from a
// faulty format and must not make us allocate without bound.
constexpr int kMaxField = 4096;

enum class Size { Default, Char, Short, Long, LongLong, Pointer, LongDouble, Wide };

struct Field {
  std::string flags;  // any of "-+ #0", as written
  bool left = false;
  int width = 0;
  int precision = -1;  // -1: none given
  Size size = Size::Default;
};

void Pad(std::u16string& out, size_t length, const Field& field, std::u16string_view text) {
  size_t fill = field.width > 0 && size_t(field.width) > length ? size_t(field.width) - length : 0;
  if (!field.left) out.append(fill, u' ');
  out.append(text);
  if (field.left) out.append(fill, u' ');
}

// Renders one number with the C library, which knows flags, width and
// precision for integers and floating point; the result is ASCII only.
template <typename T>
void AppendNumber(std::u16string& out, const Field& field, const char* length, char conversion, T value) {
  std::string fmt(1, '%');
  fmt += field.flags;
  if (field.left) fmt += '-';
  if (field.width > 0) fmt += std::to_string(field.width);
  if (field.precision >= 0) {
    fmt += '.';
    fmt += std::to_string(field.precision);
  }
  fmt += length;
  fmt += conversion;
  char small[64];
  int n = std::snprintf(small, sizeof small, fmt.c_str(), value);
  if (n < 0) return;
  std::string text;
  if (size_t(n) < sizeof small) {
    text.assign(small, size_t(n));
  } else {
    text.resize(size_t(n) + 1);
    std::snprintf(text.data(), text.size(), fmt.c_str(), value);
    text.resize(size_t(n));
  }
  out.append(text.begin(), text.end());
}

void AppendSigned(std::u16string& out, const Field& field, char conversion, va_list& args) {
  long long value;
  switch (field.size) {
    case Size::Char:
      value = static_cast<signed char>(va_arg(args, int));
      break;
    case Size::Short:
      value = static_cast<short>(va_arg(args, int));
      break;
    case Size::LongLong:
      value = va_arg(args, long long);
      break;
    case Size::Pointer:
      value = va_arg(args, intptr_t);
      break;
    default:
      value = va_arg(args, int);
      break;  // plain and `l`: 32 bits, as on Windows
  }
  AppendNumber(out, field, "ll", conversion, value);
}

void AppendUnsigned(std::u16string& out, const Field& field, char conversion, va_list& args) {
  unsigned long long value;
  switch (field.size) {
    case Size::Char:
      value = static_cast<unsigned char>(va_arg(args, unsigned));
      break;
    case Size::Short:
      value = static_cast<unsigned short>(va_arg(args, unsigned));
      break;
    case Size::LongLong:
      value = va_arg(args, unsigned long long);
      break;
    case Size::Pointer:
      value = va_arg(args, uintptr_t);
      break;
    default:
      value = va_arg(args, unsigned);
      break;
  }
  AppendNumber(out, field, "ll", conversion, value);
}

void AppendFloating(std::u16string& out, const Field& field, char conversion, va_list& args) {
  if (field.size == Size::LongDouble)
    AppendNumber(out, field, "L", conversion, va_arg(args, long double));
  else
    AppendNumber(out, field, "", conversion, va_arg(args, double));
}

void AppendWideString(std::u16string& out, const Field& field, const char16_t* text) {
  if (!text) text = u"(null)";
  size_t length = 0;
  while (text[length] && (field.precision < 0 || length < size_t(field.precision))) ++length;
  Pad(out, length, field, std::u16string_view(text, length));
}

void AppendNarrowString(std::u16string& out, const Field& field, const char* text) {
  if (!text) text = "(null)";
  size_t length = field.precision < 0 ? std::strlen(text) : strnlen(text, size_t(field.precision));
  std::u16string wide = utf::ToUtf16(std::string_view(text, length));
  Pad(out, wide.size(), field, wide);
}

// Whether a string or character conversion takes narrow text: upper-case
// letters are narrow by default, `h` forces narrow, `l`/`w` force wide.
bool IsNarrow(const Field& field, char16_t conversion) {
  if (field.size == Size::Short) return true;
  if (field.size == Size::Wide || field.size == Size::Long) return false;
  return conversion == u'S' || conversion == u'C';
}

int ReadNumber(const char16_t*& p) {
  int value = 0;
  while (*p >= u'0' && *p <= u'9') {
    if (value < kMaxField) value = value * 10 + (*p - u'0');
    ++p;
  }
  return value < kMaxField ? value : kMaxField;
}

// Parses the length modifier at p (advancing past it).
Size ReadSize(const char16_t*& p) {
  switch (*p) {
    case u'h':
      ++p;
      if (*p == u'h') {
        ++p;
        return Size::Char;
      }
      return Size::Short;
    case u'l':
      ++p;
      if (*p == u'l') {
        ++p;
        return Size::LongLong;
      }
      return Size::Long;
    case u'w':
      ++p;
      return Size::Wide;
    case u'L':
      ++p;
      return Size::LongDouble;
    case u'z':
    case u'j':
    case u't':
      ++p;
      return Size::Pointer;
    case u'I':
      if (p[1] == u'6' && p[2] == u'4') {
        p += 3;
        return Size::LongLong;
      }
      if (p[1] == u'3' && p[2] == u'2') {
        p += 3;
        return Size::Default;
      }
      ++p;
      return Size::Pointer;
    default:
      return Size::Default;
  }
}

}  // namespace

std::u16string FormatWide(const char16_t* format, va_list args) {
  std::u16string out;
  if (!format) return out;
  va_list ap;
  va_copy(ap, args);
  const char16_t* p = format;
  while (*p) {
    if (*p != u'%') {
      out += *p++;
      continue;
    }
    const char16_t* start = p++;
    if (*p == u'%') {
      out += u'%';
      ++p;
      continue;
    }
    Field field;
    for (;; ++p) {
      if (*p == u'-')
        field.left = true;
      else if (*p == u'+' || *p == u' ' || *p == u'#' || *p == u'0')
        field.flags += char(*p);
      else
        break;
    }
    if (*p == u'*') {
      int width = va_arg(ap, int);
      if (width < 0) {
        field.left = true;
        width = width == INT32_MIN ? kMaxField : -width;
      }
      field.width = width < kMaxField ? width : kMaxField;
      ++p;
    } else {
      field.width = ReadNumber(p);
    }
    if (*p == u'.') {
      ++p;
      if (*p == u'*') {
        int precision = va_arg(ap, int);
        field.precision = precision < 0 ? -1 : (precision < kMaxField ? precision : kMaxField);
        ++p;
      } else {
        field.precision = ReadNumber(p);
      }
    }
    field.size = ReadSize(p);
    char16_t conversion = *p;
    if (conversion == 0) {
      out.append(start, p);
      break;
    }
    ++p;
    switch (conversion) {
      case u'd':
      case u'i':
        AppendSigned(out, field, char(conversion), ap);
        break;
      case u'u':
      case u'o':
      case u'x':
      case u'X':
        AppendUnsigned(out, field, char(conversion), ap);
        break;
      case u'e':
      case u'E':
      case u'f':
      case u'F':
      case u'g':
      case u'G':
      case u'a':
      case u'A':
        AppendFloating(out, field, char(conversion), ap);
        break;
      case u'p': {
        // Windows prints a pointer as all its hex digits, upper case.
        Field digitsField;
        digitsField.flags = "0";
        digitsField.width = 2 * sizeof(void*);
        std::u16string digits;
        AppendNumber(digits, digitsField, "ll", 'X',
                     static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(va_arg(ap, void*))));
        Pad(out, digits.size(), field, digits);
        break;
      }
      case u's':
      case u'S':
        if (IsNarrow(field, conversion))
          AppendNarrowString(out, field, va_arg(ap, const char*));
        else
          AppendWideString(out, field, va_arg(ap, const char16_t*));
        break;
      case u'c':
      case u'C': {
        int value = va_arg(ap, int);
        std::u16string one;
        if (IsNarrow(field, conversion)) {
          char byte = static_cast<char>(value);
          one = utf::ToUtf16(std::string_view(&byte, 1));
        } else {
          one.assign(1, static_cast<char16_t>(value));
        }
        Field chr = field;
        chr.precision = -1;
        Pad(out, one.size(), chr, one);
        break;
      }
      default:
        // Unknown (and %n, which Windows refuses): copied as written.
        out.append(start, p);
        break;
    }
  }
  va_end(ap);
  return out;
}

}  // namespace k42
