// The element and attribute names of the GUI XML file and of the localized file, each written once here,
// grouped by the element that first uses them; the readers, the localized-file reader and the vocabulary
// the checker follows all take their names from these two lists.
//
// Example:
//   if (k42::NodeNameIs(node, k42::names::kVarDec)) k42::GetAttribute(node, k42::names::kVarId.data(), id);
#pragma once

#include <string_view>

// The views name NUL-terminated literals: data() may be passed where the XML library wants a C string.
namespace k42::names {

// Sections (the root's children), in the order they are read.
inline constexpr std::u16string_view kLabelDec = u"LABEL_DEC";
inline constexpr std::u16string_view kLabelId = u"LABEL_ID";
inline constexpr std::u16string_view kVarDec = u"VAR_DEC";
inline constexpr std::u16string_view kVarId = u"VAR_ID";
inline constexpr std::u16string_view kFunctionId = u"FUNCTION_ID";
inline constexpr std::u16string_view kModuleDec = u"MODULE_DEC";
inline constexpr std::u16string_view kHeaderArea = u"HEADER_AREA";
inline constexpr std::u16string_view kMetainformation = u"METAINFORMATION";
inline constexpr std::u16string_view kMetDec = u"MET_DEC";
inline constexpr std::u16string_view kMetId = u"MET_ID";
inline constexpr std::u16string_view kImageDec = u"IMAGE_DEC";
inline constexpr std::u16string_view kImageId = u"IMAGE_ID";
inline constexpr std::u16string_view kMenubar = u"MENUBAR";
inline constexpr std::u16string_view kToolbar = u"TOOLBAR";

// A variable's children ("VAR_DEC", "VARIABLE_META").
inline constexpr std::u16string_view kGuiFormat = u"GUI_FORMAT";
inline constexpr std::u16string_view kDisplayCondition = u"DISPLAY_CONDITION";
inline constexpr std::u16string_view kFormatControl = u"FORMAT_CONTROL";
inline constexpr std::u16string_view kAlign = u"ALIGN";
inline constexpr std::u16string_view kDatatype = u"DATATYPE";
inline constexpr std::u16string_view kStorage = u"STORAGE";
inline constexpr std::u16string_view kSizeInBit = u"SIZE_IN_BIT";
inline constexpr std::u16string_view kCond = u"COND";
inline constexpr std::u16string_view kModifier = u"MODIFIER";  // also of "MET_DEC"
inline constexpr std::u16string_view kHandling = u"HANDLING";
inline constexpr std::u16string_view kEnumItem = u"ENUM_ITEM";
inline constexpr std::u16string_view kValue = u"VALUE";  // also the element "VALUE" and of "FEATURE"
inline constexpr std::u16string_view kDdString = u"DDSTRING";
inline constexpr std::u16string_view kSource = u"SOURCE";

// "FUNCTION_ID".
inline constexpr std::u16string_view kId = u"ID";
inline constexpr std::u16string_view kIsOnline = u"IS_ONLINE";
inline constexpr std::u16string_view kModule = u"MODULE";
inline constexpr std::u16string_view kModRef = u"MOD_REF";  // also of "MODULE_NAV"

// "MODULE_DEC" and its children.
inline constexpr std::u16string_view kModId = u"MOD_ID";  // also of "MODULE_PARDIS", "VARIABLE_HEADER"
inline constexpr std::u16string_view kModIcon = u"MOD_ICON";
inline constexpr std::u16string_view kModInitString = u"MOD_INITSTRING";  // also of "MODULE_PARDIS", ...
inline constexpr std::u16string_view kModIntegration = u"MOD_INTEGRATION";
inline constexpr std::u16string_view kNavigationArea = u"NAVIGATION_AREA";
inline constexpr std::u16string_view kNavigationAreaImageList = u"NAVIGATION_AREA_IMAGELIST";
inline constexpr std::u16string_view kPardisArea = u"PARDIS_AREA";
inline constexpr std::u16string_view kLink2Module = u"LINK2MODULE";
inline constexpr std::u16string_view kFref = u"FREF";
inline constexpr std::u16string_view kModuleMenubar = u"MODULEMENUBAR";
inline constexpr std::u16string_view kFeatures = u"FEATURES";
inline constexpr std::u16string_view kFeature = u"FEATURE";
inline constexpr std::u16string_view kName = u"NAME";
inline constexpr std::u16string_view kHeaderRef = u"HEADER_REF";
inline constexpr std::u16string_view kOnline = u"ONLINE";
inline constexpr std::u16string_view kOffline = u"OFFLINE";

// "NAVIGATION_AREA".
inline constexpr std::u16string_view kMenuDec = u"MENU_DEC";
inline constexpr std::u16string_view kMenuId = u"MENU_ID";
inline constexpr std::u16string_view kRwroCond = u"RWRO_COND";
inline constexpr std::u16string_view kMenu = u"MENU";  // also the attribute of "LINK"
inline constexpr std::u16string_view kMenuRef = u"MENU_REF";
inline constexpr std::u16string_view kPardisRef = u"PARDIS_REF";  // also of the entries and "HOR_NAV"
inline constexpr std::u16string_view kImageListIndex = u"IMAGELIST_INDEX";
inline constexpr std::u16string_view kVariableNav = u"VARIABLE_NAV";
inline constexpr std::u16string_view kVarRef = u"VAR_REF";      // also of "VARIABLE_PARDIS", "VARIABLE_HEADER"
inline constexpr std::u16string_view kLabelRef = u"LABEL_REF";  // also of "VARIABLE_PARDIS", "HEADLINE_PARDIS"
inline constexpr std::u16string_view kMethodNav = u"METHOD_NAV";
inline constexpr std::u16string_view kMetRef = u"MET_REF";  // also of "METHOD_PARDIS"
inline constexpr std::u16string_view kModuleNav = u"MODULE_NAV";

// "PARDIS_AREA".
inline constexpr std::u16string_view kPardisDec = u"PARDIS_DEC";
inline constexpr std::u16string_view kPardisId = u"PARDIS_ID";
inline constexpr std::u16string_view kValidityId = u"VALIDITY_ID";
inline constexpr std::u16string_view kXsiType = u"xsi:type";  // the qualified name, as the file writes it
inline constexpr std::u16string_view kVariablePardis = u"VARIABLE_PARDIS";
inline constexpr std::u16string_view kLegend = u"LEGEND";
inline constexpr std::u16string_view kControlStyle = u"CONTROLSTYLE";  // also of "METHOD_PARDIS"
inline constexpr std::u16string_view kHelpRef = u"HELPREF";
inline constexpr std::u16string_view kImagePardis = u"IMAGE_PARDIS";
inline constexpr std::u16string_view kImageRef = u"IMAGE_REF";  // also of "IMAGE_HEADER"
inline constexpr std::u16string_view kMethodPardis = u"METHOD_PARDIS";
inline constexpr std::u16string_view kModulePardis = u"MODULE_PARDIS";
inline constexpr std::u16string_view kModProgId = u"MOD_PROGID";  // also of "VARIABLE_HEADER"
inline constexpr std::u16string_view kWidth = u"WIDTH";           // also of "VARIABLE_HEADER"
inline constexpr std::u16string_view kHeight = u"HEIGHT";         // also of "VARIABLE_HEADER", "HEADLINE_PARDIS"
inline constexpr std::u16string_view kHeadlinePardis = u"HEADLINE_PARDIS";
inline constexpr std::u16string_view kFontName = u"FONTNAME";
inline constexpr std::u16string_view kColorNormal = u"COLOR_NORMAL";
inline constexpr std::u16string_view kColorVisited = u"COLOR_VISITED";
inline constexpr std::u16string_view kWeight = u"WEIGHT";
inline constexpr std::u16string_view kItalic = u"ITALIC";
inline constexpr std::u16string_view kUnderline = u"UNDERLINE";
inline constexpr std::u16string_view kEmptyFieldPardis = u"EMPTYFIELD_PARDIS";
inline constexpr std::u16string_view kNewColumnPardis = u"NEWCOLUMN_PARDIS";
inline constexpr std::u16string_view kHorNav = u"HOR_NAV";
inline constexpr std::u16string_view kTarget = u"TARGET";

// "HEADER_AREA".
inline constexpr std::u16string_view kUse = u"USE";
inline constexpr std::u16string_view kVariableHeader = u"VARIABLE_HEADER";
inline constexpr std::u16string_view kStyleguideMapping = u"STYLEGUIDE_MAPPING";
inline constexpr std::u16string_view kVarStatus = u"VAR_STATUS";
inline constexpr std::u16string_view kOrigin = u"ORIGIN";
inline constexpr std::u16string_view kHeaderVarType = u"HEADER_VAR_TYPE";
inline constexpr std::u16string_view kImageHeader = u"IMAGE_HEADER";
inline constexpr std::u16string_view kLayoutPosition = u"LAYOUT_POSITION";

// "METAINFORMATION".
inline constexpr std::u16string_view kAuxFiles = u"AUX_FILES";
inline constexpr std::u16string_view kLogo = u"LOGO";
inline constexpr std::u16string_view kType = u"TYPE";
inline constexpr std::u16string_view kHref = u"HREF";
inline constexpr std::u16string_view kLanguageSupport = u"LANGUAGE_SUPPORT";
inline constexpr std::u16string_view kLanguage = u"LANGUAGE";
inline constexpr std::u16string_view kRfc1766Acr = u"RFC1766ACR";
inline constexpr std::u16string_view kLocalLabel = u"LOCALLABEL";
inline constexpr std::u16string_view kVariableMeta = u"VARIABLE_META";

// "IMAGE_DEC".
inline constexpr std::u16string_view kRegular = u"REGULAR";
inline constexpr std::u16string_view kLarge = u"LARGE";
inline constexpr std::u16string_view kSmall = u"SMALL";
inline constexpr std::u16string_view kIref = u"IREF";
inline constexpr std::u16string_view kLink = u"LINK";
inline constexpr std::u16string_view kHelpId = u"HELPID";

// "MENUBAR" and "MODULEMENUBAR".
inline constexpr std::u16string_view kMenubarPopup = u"MENUBAR_POPUP";
inline constexpr std::u16string_view kMenubarId = u"MENUBAR_ID";
inline constexpr std::u16string_view kMenubarSeparator = u"MENUBAR_SEPARATOR";
inline constexpr std::u16string_view kMenubarVariable = u"MENUBAR_VARIABLE";
inline constexpr std::u16string_view kMenubarMenuId = u"MENUBAR_MENU_ID";
inline constexpr std::u16string_view kMenubarVariableId = u"MENUBAR_VARIABLE_ID";
inline constexpr std::u16string_view kMenubarItem = u"MENUBAR_ITEM";
inline constexpr std::u16string_view kMenubarAction = u"MENUBAR_ACTION";
inline constexpr std::u16string_view kMenubarType = u"MENUBAR_TYPE";

// "TOOLBAR".
inline constexpr std::u16string_view kToolbarImageList = u"TOOLBAR_IMAGELIST";
inline constexpr std::u16string_view kToolbarItemDec = u"TOOLBARITEM_DEC";
inline constexpr std::u16string_view kToolbarItemType = u"TOOLBAR_ITEMTYPE";
inline constexpr std::u16string_view kToolbarActionType = u"TOOLBAR_ACTIONTYPE";
inline constexpr std::u16string_view kToolbarAction = u"TOOLBAR_ACTION";
inline constexpr std::u16string_view kToolbarId = u"TOOLBAR_ID";
inline constexpr std::u16string_view kToolbarBitmapIndex = u"TOOLBAR_BITMAPINDEX";

}  // namespace k42::names

namespace k42::locnames {

// The root and the language blocks.
inline constexpr std::u16string_view kLanguageSupport = u"LANGUAGE_SUPPORT";
inline constexpr std::u16string_view kLang = u"LANG";
inline constexpr std::u16string_view kDefault = u"DEFAULT";
inline constexpr std::u16string_view kId = u"ID";  // also the element "ID" and of "SCOPE", "ENUM"

// "SCOPE" and the scopes that name no module.
inline constexpr std::u16string_view kScope = u"SCOPE";
inline constexpr std::u16string_view kGlobalScope = u"GLOBAL";
inline constexpr std::u16string_view kBuiltinScope = u"SDKSTDGUI";

// "ID" and the texts it gives.
inline constexpr std::u16string_view kName = u"NAME";
inline constexpr std::u16string_view kLabel = u"LABEL";
inline constexpr std::u16string_view kDdString = u"DDSTRING";  // also of "TOOLTIP", "ENUM"
inline constexpr std::u16string_view kTooltip = u"TOOLTIP";
inline constexpr std::u16string_view kHelpTopic = u"HELPTOPIC";
inline constexpr std::u16string_view kEnum = u"ENUM";
inline constexpr std::u16string_view kLegend = u"LEGEND";

// The help files.
inline constexpr std::u16string_view kHelpFile = u"HELPFILE";
inline constexpr std::u16string_view kUiHelpFile = u"UIHELPFILE";
inline constexpr std::u16string_view kFref = u"FREF";
inline constexpr std::u16string_view kAnchors = u"ANCHORS";

}  // namespace k42::locnames
