// Keyword tables for handling, storage kind, header mode and data types.
#include "model/Keywords.h"

#include <array>
#include <utility>

#include <k42gui/IGuiXmlModel.h>

namespace k42 {
namespace {

struct Keyword {
  const char16_t* text;
  int32_t value;
  bool writtenBack;
};

constexpr std::array<Keyword, 4> kHandling{{
    {u"READONLY", 0, true},
    {u"READWRITE", 1, true},
    {u"WRITEONLY", 2, true},
    {u"COND", 3, false},  // kCONDITIONAL is read but never turned back into text
}};

constexpr std::array<Keyword, 3> kStorage{{
    {u"STATIC", 1, true},
    {u"DYNAMIC", 2, true},
    {u"CONSTANT", 3, true},
}};

template <size_t N>
bool FromKeyword(const std::array<Keyword, N>& table, const std::u16string& text, int32_t& value) {
  for (const Keyword& entry : table) {
    if (text == entry.text) {
      value = entry.value;
      return true;
    }
  }
  return false;
}

template <size_t N>
bool ToText(const std::array<Keyword, N>& table, int32_t value, std::u16string& text) {
  for (const Keyword& entry : table) {
    if (entry.value == value && entry.writtenBack) {
      text = entry.text;
      return true;
    }
  }
  return false;
}

// Every VarType that the file can name: the keyword is the enumerator's name
// without "TYPE_". The others (bit string, button, image, ...) have no keyword.
constexpr std::array<Keyword, 36> kDataTypes{{
    {u"DD_FLOAT", TYPE_DD_FLOAT, true},
    {u"DD_DOUBLE", TYPE_DD_DOUBLE, true},
    {u"DD_INT8", TYPE_DD_INT8, true},
    {u"DD_INT16", TYPE_DD_INT16, true},
    {u"DD_INT24", TYPE_DD_INT24, true},
    {u"DD_INT32", TYPE_DD_INT32, true},
    {u"DD_UINT8", TYPE_DD_UINT8, true},
    {u"DD_UINT16", TYPE_DD_UINT16, true},
    {u"DD_UINT24", TYPE_DD_UINT24, true},
    {u"DD_UINT32", TYPE_DD_UINT32, true},
    {u"DD_ULONG", TYPE_DD_ULONG, true},
    {u"DD_ENUM8", TYPE_DD_ENUM8, true},
    {u"DD_ENUM16", TYPE_DD_ENUM16, true},
    {u"DD_ENUM24", TYPE_DD_ENUM24, true},
    {u"DD_ENUM32", TYPE_DD_ENUM32, true},
    {u"DD_BIT_ENUM8", TYPE_DD_BIT_ENUM8, true},
    {u"DD_BIT_ENUM16", TYPE_DD_BIT_ENUM16, true},
    {u"DD_BIT_ENUM24", TYPE_DD_BIT_ENUM24, true},
    {u"DD_BIT_ENUM32", TYPE_DD_BIT_ENUM32, true},
    {u"DD_DATE", TYPE_DD_DATE, true},
    {u"DD_TIME", TYPE_DD_TIME, true},
    {u"DD_DATETIME", TYPE_DD_DATETIME, true},
    {u"DD_TIMEVALUE", TYPE_DD_TIMEVALUE, true},
    {u"DD_INDEX", TYPE_DD_INDEX, true},
    {u"DD_VISIBLE_STR", TYPE_DD_VISIBLE_STR, true},
    {u"DD_VISIBLE_STR_PACKED", TYPE_DD_VISIBLE_STR_PACKED, true},
    {u"DD_INT8_FP", TYPE_DD_INT8_FP, true},
    {u"DD_INT16_FP", TYPE_DD_INT16_FP, true},
    {u"DD_INT24_FP", TYPE_DD_INT24_FP, true},
    {u"DD_INT32_FP", TYPE_DD_INT32_FP, true},
    {u"DD_UINT8_FP", TYPE_DD_UINT8_FP, true},
    {u"DD_UINT16_FP", TYPE_DD_UINT16_FP, true},
    {u"DD_UINT24_FP", TYPE_DD_UINT24_FP, true},
    {u"DD_UINT32_FP", TYPE_DD_UINT32_FP, true},
    {u"DD_PASSWORD", TYPE_DD_PASSWORD, true},
    {u"DD_DURATION", TYPE_DD_DURATION, true},
}};

}  // namespace

bool HandlingFromKeyword(const std::u16string& text, int32_t& value) { return FromKeyword(kHandling, text, value); }
bool StorageFromKeyword(const std::u16string& text, int32_t& value) { return FromKeyword(kStorage, text, value); }
bool HandlingToText(int32_t value, std::u16string& text) { return ToText(kHandling, value, text); }
bool StorageToText(int32_t value, std::u16string& text) { return ToText(kStorage, value, text); }

int32_t DataTypeFromKeyword(const std::u16string& text) {
  int32_t type = TYPE_UNKNOWN;
  FromKeyword(kDataTypes, text, type);
  return type;
}

std::u16string ModeToText(int32_t mode) {
  switch (mode) {
    case 1:
      return u"ONLINE";
    case 2:
      return u"OFFLINE";
    default:
      return u"GENERAL";
  }
}

}  // namespace k42
