// Keyword tables of the GUI XML vocabulary and the localized file.
#include "model/Keywords.h"

#include <array>
#include <span>
#include <utility>

#include <k42gui/IGuiXmlModel.h>

#include "platform/text.h"

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
bool FromKeyword(const std::array<Keyword, N>& table, std::u16string_view text, int32_t& value) {
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

constexpr std::array<Keyword, 4> kDisplayConditions{{
    {u"ALWAYS", kDISPLAYALWAYS, true},
    {u"READONLY", kDISPLAYREADONLY, true},
    {u"NOTZERO", kDISPLAYNOTZERO, true},
    {u"OFFLINE", kDISPLAYOFFLINE, true},
}};

constexpr std::array<Keyword, 7> kControlStyles{{
    {u"COMBO", CTRL_VAR_COMBO, true},
    {u"LIST", CTRL_VAR_LIST, true},
    {u"RADIO", CTRL_VAR_RADIO, true},
    {u"CHECKBOX", CTRL_VAR_CHECKBOX, true},
    {u"STATIC", CTRL_VAR_STATIC, true},
    {u"EDIT", CTRL_VAR_EDIT, true},
    {u"LED", CTRL_VAR_LED, true},
}};

constexpr std::array<Keyword, 1> kMethodStyles{{{u"BUTTON", CTRL_MET_BUTTON, true}}};

// Compared literally, prefix included: another prefix bound to the same namespace is not recognised.
constexpr std::array<Keyword, 2> kDisplayKinds{{
    {u"tv:custompardisdecType", DISPLAY_CUSTOM, true},
    {u"tv:singlemodulepardisdecType", DISPLAY_SINGLE_MODULE, true},
}};

constexpr std::array<Keyword, 5> kNavigationTargets{{
    {u"FIRST", kNavFirst, true},
    {u"PREVIOUS", kNavPrevious, true},
    {u"NEXT", kNavNext, true},
    {u"LAST", kNavLast, true},
    {u"HOME", kNavHome, true},
}};

constexpr std::array<Keyword, 3> kIntegrations{{{u"TAB", kTAB, true}, {u"MENU", kMENU, true}, {u"NONE", kNONE, true}}};

constexpr std::array<Keyword, 3> kHeaderUses{{
    {u"GENERAL", MODE_GENERAL, true},
    {u"ONLINE", MODE_ONLINE, true},
    {u"OFFLINE", MODE_OFFLINE, true},
}};

// The reader takes any other word for a plain variable, so the checker is the only one to notice a typo.
constexpr std::array<Keyword, 3> kOrigins{{
    {u"VARIABLE", PAR_VARIABLE, true},
    {u"META", PAR_META, true},
    {u"METHODS", PAR_METHODE, true},
}};

constexpr std::array<Keyword, 4> kHeaderVarTypes{{
    {u"STATIC", HEADERVARTYPE_STATIC, true},
    {u"LED", HEADERVARTYPE_LED, true},
    {u"LED_HANDLING", HEADERVARTYPE_LED_HANDLING, true},
    {u"MODULE", HEADERVARTYPE_MODULE, true},
}};

constexpr std::array<Keyword, 2> kLogoTypes{{{u"VENDOR", LOGO_VENDOR, true}, {u"DEVICE", LOGO_DEVICE, true}}};

// The menu bar runs an online function like any other function.
constexpr std::array<Keyword, 5> kMenubarActions{{
    {u"DIALOGBOX", kDIALOGBOX, true},
    {u"MODULE", kMODULE, true},
    {u"FUNCTION", kFUNCTION, true},
    {u"FUNCTIONONLINE", kFUNCTION, false},
    {u"SETLANGUAGE", kSETLANGUAGE, true},
}};

constexpr std::array<Keyword, 3> kToolbarItemTypes{{
    {u"TOOLBAR_BUTTON", kTOOLBAR_BUTTON, true},
    {u"TOOLBAR_SEPARATOR", kTOOLBAR_SEP, true},
    {u"TOOLBAR_CHECK", kTOOLBAR_CHECK, true},
}};

constexpr std::array<Keyword, 4> kToolbarActions{{
    {u"DIALOGBOX", kDIALOGBOX, true},
    {u"MODULE", kMODULE, true},
    {u"FUNCTION", kFUNCTION, true},
    {u"FUNCTIONONLINE", kFUNCTIONONLINE, true},
}};

constexpr std::array<Keyword, 3> kHelpAnchors{{
    {u"NO", kNO, true},
    {u"EQTOID", kEQTOID, true},
    {u"EQTOHELPTOPIC", kEQTOHELPTOPIC, true},
}};

std::span<const Keyword> TableOf(KeywordTable table) {
  switch (table) {
    case KeywordTable::kHandling:
      return kHandling;
    case KeywordTable::kStorage:
      return kStorage;
    case KeywordTable::kDataType:
      return kDataTypes;
    case KeywordTable::kDisplayCondition:
      return kDisplayConditions;
    case KeywordTable::kControlStyle:
      return kControlStyles;
    case KeywordTable::kMethodStyle:
      return kMethodStyles;
    case KeywordTable::kDisplayKind:
      return kDisplayKinds;
    case KeywordTable::kNavigationTarget:
      return kNavigationTargets;
    case KeywordTable::kIntegration:
      return kIntegrations;
    case KeywordTable::kHeaderUse:
      return kHeaderUses;
    case KeywordTable::kOrigin:
      return kOrigins;
    case KeywordTable::kHeaderVarType:
      return kHeaderVarTypes;
    case KeywordTable::kLogoType:
      return kLogoTypes;
    case KeywordTable::kMenubarAction:
      return kMenubarActions;
    case KeywordTable::kToolbarItemType:
      return kToolbarItemTypes;
    case KeywordTable::kToolbarAction:
      return kToolbarActions;
    case KeywordTable::kHelpAnchors:
      return kHelpAnchors;
  }
  return {};
}

}  // namespace

bool KeywordToValue(KeywordTable table, std::u16string_view text, int32_t& value) {
  for (const Keyword& entry : TableOf(table)) {
    if (text == entry.text) {
      value = entry.value;
      return true;
    }
  }
  return false;
}

std::vector<std::u16string_view> KeywordsOf(KeywordTable table) {
  std::vector<std::u16string_view> words;
  for (const Keyword& entry : TableOf(table)) words.emplace_back(entry.text);
  return words;
}

bool HandlingFromKeyword(std::u16string_view text, int32_t& value) { return FromKeyword(kHandling, text, value); }
bool StorageFromKeyword(std::u16string_view text, int32_t& value) { return FromKeyword(kStorage, text, value); }
bool HandlingToText(int32_t value, std::u16string& text) { return ToText(kHandling, value, text); }
bool StorageToText(int32_t value, std::u16string& text) { return ToText(kStorage, value, text); }

int32_t DataTypeFromKeyword(std::u16string_view text) {
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

bool FlagFromText(const std::u16string& text) {
  const std::u16string upper = ToUpper(text);
  return !(upper == u"FALSE" || upper == u"0");
}

}  // namespace k42
