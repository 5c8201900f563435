// What the attributes of the two device files mean to the model: which ones declare an identifier,
// which ones refer to something declared (and to what kind of thing), which ones name a file, and
// which ones hold a keyword of which table, for the tools that look at a device file without building
// records from it (the device checker). The names are the readers' own (model/Names.h).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/Keywords.h"
#include "model/Names.h"

namespace k42 {

// The kinds of thing that the files declare and the model keeps.
enum class Kind : uint8_t {
  kLabel,         // LABEL_DEC: an element that only carries texts
  kVariable,      // VAR_DEC
  kMethod,        // MET_DEC
  kImage,         // IMAGE_DEC
  kMetaVariable,  // VARIABLE_META
  kModule,        // MODULE_DEC, created by the selected FUNCTION_ID
  kMenu,          // MENU_DEC, in its module's local dictionary
  kDisplay,       // PARDIS_DEC, in its module's local dictionary
  kMenubarItem,   // MENUBAR_POPUP and MENUBAR_ITEM, in the element dictionary
  kFunction,      // FUNCTION_ID, by the number its ID starts with; the first one of a number is read
  kHeaderPlace,   // a header record's place in the HEADER_AREA of its USE; the first one is found
};

// What a referring attribute is looked up in.
enum class Target : uint8_t {
  kVariable,           // the variables, first match
  kMethod,             // the methods, first match
  kImage,              // the images, first match
  kModule,             // the modules the selected function creates
  kModuleDeclaration,  // a MODULE_DEC of any function
  kHeaderParameter,    // the list that the element's ORIGIN keyword names
  kElement,            // the element dictionary (a label reference)
  kDisplay,            // the enclosing module's displays
  kMenu,               // the enclosing module's menus
  kAnyMenu,            // a menu of any module
  kMenubarItem,        // a menu-bar popup or item
  kHeaderUse,          // the USE of a HEADER_AREA
  kLanguage,           // a LANGUAGE of LANGUAGE_SUPPORT
  kFile,               // a file, relative to the device directory
};

// An attribute of element that refers to target; labelled when the host shows the target's text there;
// when condition is set, only while the attribute condition of the same element holds conditionKeyword.
struct Reference {
  std::u16string_view element;
  std::u16string_view attribute;
  Target target;
  bool labelled = false;
  std::u16string_view condition = {};
  std::u16string_view conditionKeyword = {};
};

// An attribute (or, with an empty attribute name, the text) of element that holds a keyword of table.
struct KeywordAttribute {
  std::u16string_view element;
  std::u16string_view attribute;
  KeywordTable table;
};

// An element that declares an identifier of kind in its attribute idAttribute.
struct Declaration {
  std::u16string_view element;
  std::u16string_view idAttribute;
  Kind kind;
};

std::span<const Declaration> GuiXmlDeclarations();
std::span<const Reference> GuiXmlReferences();
std::span<const KeywordAttribute> GuiXmlKeywordAttributes();
std::span<const Reference> LocalizedFileReferences();
std::span<const KeywordAttribute> LocalizedFileKeywordAttributes();

// True for a help file reference that is a web address ("http://" or "https://" at its start): the host opens
// it as it stands, so it is never looked for next to the device files.
bool IsWebAddress(std::u16string_view reference);

// True for the kinds that live in a module's local dictionary rather than in the element dictionary.
constexpr bool IsModuleLocal(Kind kind) { return kind == Kind::kMenu || kind == Kind::kDisplay; }
// True for the kinds that the element dictionary holds (and the localized file's global scope reaches).
constexpr bool InElementDictionary(Kind kind) {
  return !IsModuleLocal(kind) && kind != Kind::kFunction && kind != Kind::kHeaderPlace;
}

// Whether a reference to target may find a declaration of kind, in the dictionary the model looks it up in.
// A header parameter may be any of the three lists its ORIGIN keyword chooses from; header areas, languages
// and files are not declarations of records.
bool TargetFinds(Target target, Kind kind);

// What an author calls the thing a reference to target names ("variable", "menu-bar popup"), for messages.
std::string_view TargetWord(Target target);

// A word for the kind in messages ("variable", "display", ...).
std::u16string_view KindName(Kind kind);

// The module element and its identifier attribute, which scope the module-local kinds.
inline constexpr std::u16string_view kModuleElement = names::kModuleDec;
inline constexpr std::u16string_view kModuleIdAttribute = names::kModId;

// The localized file's elements that the checker follows: language blocks, scopes and text identifiers.
inline constexpr std::u16string_view kLocLanguage = locnames::kLang;
inline constexpr std::u16string_view kLocLanguageId = locnames::kId;
inline constexpr std::u16string_view kLocScope = locnames::kScope;
inline constexpr std::u16string_view kLocScopeId = locnames::kId;
inline constexpr std::u16string_view kLocText = locnames::kId;
inline constexpr std::u16string_view kLocTextName = locnames::kName;
inline constexpr std::u16string_view kLocGlobalScope = locnames::kGlobalScope;
inline constexpr std::u16string_view kLocBuiltinScope = locnames::kBuiltinScope;

// The choices of a variable and their texts in the localized file (inside the variable's "ID").
inline constexpr std::u16string_view kEnumItemElement = names::kEnumItem;
inline constexpr std::u16string_view kEnumItemValue = names::kValue;
inline constexpr std::u16string_view kEnumItemDdString = names::kDdString;
inline constexpr std::u16string_view kLocEnum = locnames::kEnum;
inline constexpr std::u16string_view kLocEnumId = locnames::kId;
inline constexpr std::u16string_view kLocEnumDdString = locnames::kDdString;

// The header areas, whose USE scopes the places of their records.
inline constexpr std::u16string_view kHeaderAreaElement = names::kHeaderArea;
inline constexpr std::u16string_view kHeaderUseAttribute = names::kUse;

// The GUI XML file's function selection and language declarations.
inline constexpr std::u16string_view kFunctionElement = names::kFunctionId;
inline constexpr std::u16string_view kFunctionIdAttribute = names::kId;
inline constexpr std::u16string_view kLanguagesElement = names::kLanguageSupport;
inline constexpr std::u16string_view kLanguageElement = names::kLanguage;
inline constexpr std::u16string_view kLanguageCodeAttribute = names::kRfc1766Acr;

}  // namespace k42
