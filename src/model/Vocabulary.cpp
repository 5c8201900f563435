// The declaring, referring, file and keyword attributes of the GUI XML file and the localized file.
#include "model/Vocabulary.h"

namespace k42 {
namespace {

constexpr Declaration kDeclarations[] = {
    {u"LABEL_DEC", u"LABEL_ID", Kind::kLabel},
    {u"VAR_DEC", u"VAR_ID", Kind::kVariable},
    {u"MET_DEC", u"MET_ID", Kind::kMethod},
    {u"IMAGE_DEC", u"IMAGE_ID", Kind::kImage},
    {u"VARIABLE_META", u"VAR_ID", Kind::kMetaVariable},
    {kModuleElement, kModuleIdAttribute, Kind::kModule},
    {u"MENU_DEC", u"MENU_ID", Kind::kMenu},
    {u"PARDIS_DEC", u"PARDIS_ID", Kind::kDisplay},
    {u"MENUBAR_POPUP", u"MENUBAR_ID", Kind::kMenubarItem},
    {u"MENUBAR_ITEM", u"MENUBAR_ID", Kind::kMenubarItem},
    {kFunctionElement, kFunctionIdAttribute, Kind::kFunction},
    {u"VARIABLE_HEADER", u"STYLEGUIDE_MAPPING", Kind::kHeaderPlace},
    {u"IMAGE_HEADER", u"LAYOUT_POSITION", Kind::kHeaderPlace},
};

constexpr Reference kReferences[] = {
    // Function selection.
    {u"MODULE", u"MOD_REF", Target::kModuleDeclaration},
    // Navigation area.
    {u"MENU", u"MENU_REF", Target::kMenu},
    {u"MENU", u"PARDIS_REF", Target::kDisplay},
    {u"VARIABLE_NAV", u"VAR_REF", Target::kVariable, true},
    {u"VARIABLE_NAV", u"PARDIS_REF", Target::kDisplay},
    {u"VARIABLE_NAV", u"LABEL_REF", Target::kElement, true},
    {u"METHOD_NAV", u"MET_REF", Target::kMethod, true},
    {u"METHOD_NAV", u"PARDIS_REF", Target::kDisplay},
    {u"MODULE_NAV", u"MOD_REF", Target::kModule, true},
    {u"MODULE_NAV", u"PARDIS_REF", Target::kDisplay},
    // Display layouts.
    {u"PARDIS_DEC", u"VALIDITY_ID", Target::kVariable},
    {u"VARIABLE_PARDIS", u"VAR_REF", Target::kVariable, true},
    {u"VARIABLE_PARDIS", u"LABEL_REF", Target::kElement, true},
    {u"METHOD_PARDIS", u"MET_REF", Target::kMethod, true},
    {u"IMAGE_PARDIS", u"IMAGE_REF", Target::kImage, true},
    {u"HEADLINE_PARDIS", u"LABEL_REF", Target::kElement, true},
    {u"HOR_NAV", u"PARDIS_REF", Target::kDisplay},
    // Module body.
    {u"HEADER_REF", u"ONLINE", Target::kHeaderUse},
    {u"HEADER_REF", u"OFFLINE", Target::kHeaderUse},
    // Header area.
    {u"VARIABLE_HEADER", u"VAR_REF", Target::kHeaderParameter, true},
    {u"VARIABLE_HEADER", u"VAR_STATUS", Target::kVariable},
    {u"IMAGE_HEADER", u"IMAGE_REF", Target::kImage},
    // Images.
    {u"LINK", u"MENU", Target::kAnyMenu},
    // Menu bars and toolbar.
    {u"MENUBAR_VARIABLE", u"MENUBAR_MENU_ID", Target::kMenubarItem},
    {u"MENUBAR_VARIABLE", u"MENUBAR_VARIABLE_ID", Target::kVariable},
    {u"MENUBAR_ITEM", u"MENUBAR_ACTION", Target::kModule, false, u"MENUBAR_TYPE", u"MODULE"},
    {u"MENUBAR_ITEM", u"MENUBAR_ACTION", Target::kLanguage, false, u"MENUBAR_TYPE", u"SETLANGUAGE"},
    {u"TOOLBARITEM_DEC", u"TOOLBAR_ACTION", Target::kModule, false, u"TOOLBAR_ACTIONTYPE", u"MODULE"},
    // Files.
    {kModuleElement, u"MOD_ICON", Target::kFile},
    {u"NAVIGATION_AREA", u"NAVIGATION_AREA_IMAGELIST", Target::kFile},
    {u"REGULAR", u"IREF", Target::kFile},
    {u"LARGE", u"IREF", Target::kFile},
    {u"SMALL", u"IREF", Target::kFile},
    {u"TOOLBAR", u"TOOLBAR_IMAGELIST", Target::kFile},
    {u"LOGO", u"HREF", Target::kFile},
};

constexpr KeywordAttribute kKeywordAttributes[] = {
    {u"DATATYPE", u"STORAGE", KeywordTable::kStorage},
    {u"DATATYPE", u"", KeywordTable::kDataType},
    {u"MODIFIER", u"HANDLING", KeywordTable::kHandling},
    {u"GUI_FORMAT", u"DISPLAY_CONDITION", KeywordTable::kDisplayCondition},
    {u"VARIABLE_PARDIS", u"CONTROLSTYLE", KeywordTable::kControlStyle},
    {u"METHOD_PARDIS", u"CONTROLSTYLE", KeywordTable::kMethodStyle},
    {u"PARDIS_DEC", u"xsi:type", KeywordTable::kDisplayKind},
    {u"HOR_NAV", u"TARGET", KeywordTable::kNavigationTarget},
    {kModuleElement, u"MOD_INTEGRATION", KeywordTable::kIntegration},
    {kHeaderAreaElement, kHeaderUseAttribute, KeywordTable::kHeaderUse},
    {u"VARIABLE_HEADER", u"ORIGIN", KeywordTable::kOrigin},
    {u"VARIABLE_HEADER", u"HEADER_VAR_TYPE", KeywordTable::kHeaderVarType},
    {u"LOGO", u"TYPE", KeywordTable::kLogoType},
    {u"MENUBAR_ITEM", u"MENUBAR_TYPE", KeywordTable::kMenubarAction},
    {u"TOOLBARITEM_DEC", u"TOOLBAR_ITEMTYPE", KeywordTable::kToolbarItemType},
    {u"TOOLBARITEM_DEC", u"TOOLBAR_ACTIONTYPE", KeywordTable::kToolbarAction},
};

constexpr Reference kLocReferences[] = {
    {u"HELPFILE", u"FREF", Target::kFile},
    {u"UIHELPFILE", u"FREF", Target::kFile},
};

constexpr KeywordAttribute kLocKeywordAttributes[] = {
    {u"HELPFILE", u"ANCHORS", KeywordTable::kHelpAnchors},
    {u"UIHELPFILE", u"ANCHORS", KeywordTable::kHelpAnchors},
};

}  // namespace

std::span<const Declaration> GuiXmlDeclarations() { return kDeclarations; }
std::span<const Reference> GuiXmlReferences() { return kReferences; }
std::span<const KeywordAttribute> GuiXmlKeywordAttributes() { return kKeywordAttributes; }
std::span<const Reference> LocalizedFileReferences() { return kLocReferences; }
std::span<const KeywordAttribute> LocalizedFileKeywordAttributes() { return kLocKeywordAttributes; }

std::u16string_view KindName(Kind kind) {
  switch (kind) {
    case Kind::kLabel:
      return u"label";
    case Kind::kVariable:
      return u"variable";
    case Kind::kMethod:
      return u"method";
    case Kind::kImage:
      return u"image";
    case Kind::kMetaVariable:
      return u"metavariable";
    case Kind::kModule:
      return u"module";
    case Kind::kMenu:
      return u"menu";
    case Kind::kDisplay:
      return u"display";
    case Kind::kMenubarItem:
      return u"menu-bar entry";
    case Kind::kFunction:
      return u"function";
    case Kind::kHeaderPlace:
      return u"header place";
  }
  return u"element";
}

}  // namespace k42
