// Keyword tables shared by the readers, the queries and the device checker: every attribute text that
// the readers turn into a number, in both directions where the queries need the text back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k42 {

// The vocabularies of keyword attributes. A reader maps a keyword through its table and keeps a
// default for any other text; the checker reports such a text instead of letting it fall back.
enum class KeywordTable : uint8_t {
  kHandling,          // MODIFIER HANDLING
  kStorage,           // DATATYPE STORAGE
  kDataType,          // the text of DATATYPE
  kDisplayCondition,  // GUI_FORMAT DISPLAY_CONDITION
  kControlStyle,      // VARIABLE_PARDIS CONTROLSTYLE
  kMethodStyle,       // METHOD_PARDIS CONTROLSTYLE
  kDisplayKind,       // PARDIS_DEC xsi:type, compared with its prefix as written
  kNavigationTarget,  // HOR_NAV TARGET
  kIntegration,       // MODULE_DEC MOD_INTEGRATION
  kHeaderUse,         // HEADER_AREA USE (a Mode)
  kOrigin,            // VARIABLE_HEADER ORIGIN (a ParType)
  kHeaderVarType,     // VARIABLE_HEADER HEADER_VAR_TYPE
  kLogoType,          // LOGO TYPE
  kMenubarAction,     // MENUBAR_ITEM MENUBAR_TYPE
  kToolbarItemType,   // TOOLBARITEM_DEC TOOLBAR_ITEMTYPE
  kToolbarAction,     // TOOLBARITEM_DEC TOOLBAR_ACTIONTYPE
  kHelpAnchors,       // HELPFILE / UIHELPFILE ANCHORS of the localized file
};

// The five targets of a display's navigation buttons.
enum NavigationTarget : int32_t { kNavFirst, kNavPrevious, kNavNext, kNavLast, kNavHome };

// Keyword to value: exact, case-sensitive comparison of the whole text.
// Returns false (value untouched) when text is not a keyword of the table.
bool KeywordToValue(KeywordTable table, std::u16string_view text, int32_t& value);

// The keywords of a table in table order, for messages.
std::vector<std::u16string_view> KeywordsOf(KeywordTable table);

bool HandlingFromKeyword(std::u16string_view text, int32_t& value);  // READONLY, READWRITE, WRITEONLY, COND
bool StorageFromKeyword(std::u16string_view text, int32_t& value);   // STATIC 1, DYNAMIC 2, CONSTANT 3

// Value to text. Returns false (text untouched) for values without a text;
// kCONDITIONAL has none.
bool HandlingToText(int32_t value, std::u16string& text);
bool StorageToText(int32_t value, std::u16string& text);

// MODE_ONLINE -> "ONLINE", MODE_OFFLINE -> "OFFLINE", anything else "GENERAL".
std::u16string ModeToText(int32_t mode);

// The VarType of a data type keyword ("DD_FLOAT" -> TYPE_DD_FLOAT, ...),
// compared exactly; TYPE_UNKNOWN (0) for any other text.
int32_t DataTypeFromKeyword(std::u16string_view text);

// A flag attribute ("IS_ONLINE", "ITALIC", ...): false only for "FALSE" (in any case) and "0", true for
// any other text. Upper-casing copies the text and may throw; callers read it inside their own guard.
bool FlagFromText(const std::u16string& text);

}  // namespace k42
