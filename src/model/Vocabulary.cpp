// The declaring, referring, file and keyword attributes of the GUI XML file and the localized file.
#include "model/Vocabulary.h"

#include "model/Names.h"

namespace k42 {
namespace {

constexpr Declaration kDeclarations[] = {
    {names::kLabelDec, names::kLabelId, Kind::kLabel},
    {names::kVarDec, names::kVarId, Kind::kVariable},
    {names::kMetDec, names::kMetId, Kind::kMethod},
    {names::kImageDec, names::kImageId, Kind::kImage},
    {names::kVariableMeta, names::kVarId, Kind::kMetaVariable},
    {kModuleElement, kModuleIdAttribute, Kind::kModule},
    {names::kMenuDec, names::kMenuId, Kind::kMenu},
    {names::kPardisDec, names::kPardisId, Kind::kDisplay},
    {names::kMenubarPopup, names::kMenubarId, Kind::kMenubarItem},
    {names::kMenubarItem, names::kMenubarId, Kind::kMenubarItem},
    {kFunctionElement, kFunctionIdAttribute, Kind::kFunction},
    {names::kVariableHeader, names::kStyleguideMapping, Kind::kHeaderPlace},
    {names::kImageHeader, names::kLayoutPosition, Kind::kHeaderPlace},
};

constexpr Reference kReferences[] = {
    // Function selection.
    {names::kModule, names::kModRef, Target::kModuleDeclaration},
    // Navigation area.
    {names::kMenu, names::kMenuRef, Target::kMenu},
    {names::kMenu, names::kPardisRef, Target::kDisplay},
    {names::kVariableNav, names::kVarRef, Target::kVariable, true},
    {names::kVariableNav, names::kPardisRef, Target::kDisplay},
    {names::kVariableNav, names::kLabelRef, Target::kElement, true},
    {names::kMethodNav, names::kMetRef, Target::kMethod, true},
    {names::kMethodNav, names::kPardisRef, Target::kDisplay},
    {names::kModuleNav, names::kModRef, Target::kModule, true},
    {names::kModuleNav, names::kPardisRef, Target::kDisplay},
    // Display layouts.
    {names::kPardisDec, names::kValidityId, Target::kVariable},
    {names::kVariablePardis, names::kVarRef, Target::kVariable, true},
    {names::kVariablePardis, names::kLabelRef, Target::kElement, true},
    {names::kMethodPardis, names::kMetRef, Target::kMethod, true},
    {names::kImagePardis, names::kImageRef, Target::kImage, true},
    {names::kHeadlinePardis, names::kLabelRef, Target::kElement, true},
    {names::kHorNav, names::kPardisRef, Target::kDisplay},
    // Module body.
    {names::kHeaderRef, names::kOnline, Target::kHeaderUse},
    {names::kHeaderRef, names::kOffline, Target::kHeaderUse},
    // Header area.
    {names::kVariableHeader, names::kVarRef, Target::kHeaderParameter, true},
    {names::kVariableHeader, names::kVarStatus, Target::kVariable},
    {names::kImageHeader, names::kImageRef, Target::kImage},
    // Images.
    {names::kLink, names::kMenu, Target::kAnyMenu},
    // Menu bars and toolbar.
    {names::kMenubarVariable, names::kMenubarMenuId, Target::kMenubarItem},
    {names::kMenubarVariable, names::kMenubarVariableId, Target::kVariable},
    {names::kMenubarItem, names::kMenubarAction, Target::kModule, false, names::kMenubarType, u"MODULE"},
    {names::kMenubarItem, names::kMenubarAction, Target::kLanguage, false, names::kMenubarType, u"SETLANGUAGE"},
    {names::kToolbarItemDec, names::kToolbarAction, Target::kModule, false, names::kToolbarActionType, u"MODULE"},
    // Files.
    {kModuleElement, names::kModIcon, Target::kFile},
    {names::kNavigationArea, names::kNavigationAreaImageList, Target::kFile},
    {names::kRegular, names::kIref, Target::kFile},
    {names::kLarge, names::kIref, Target::kFile},
    {names::kSmall, names::kIref, Target::kFile},
    {names::kToolbar, names::kToolbarImageList, Target::kFile},
    {names::kLogo, names::kHref, Target::kFile},
};

constexpr KeywordAttribute kKeywordAttributes[] = {
    {names::kDatatype, names::kStorage, KeywordTable::kStorage},
    {names::kDatatype, u"", KeywordTable::kDataType},
    {names::kModifier, names::kHandling, KeywordTable::kHandling},
    {names::kGuiFormat, names::kDisplayCondition, KeywordTable::kDisplayCondition},
    {names::kVariablePardis, names::kControlStyle, KeywordTable::kControlStyle},
    {names::kMethodPardis, names::kControlStyle, KeywordTable::kMethodStyle},
    {names::kPardisDec, names::kXsiType, KeywordTable::kDisplayKind},
    {names::kHorNav, names::kTarget, KeywordTable::kNavigationTarget},
    {kModuleElement, names::kModIntegration, KeywordTable::kIntegration},
    {kHeaderAreaElement, kHeaderUseAttribute, KeywordTable::kHeaderUse},
    {names::kVariableHeader, names::kOrigin, KeywordTable::kOrigin},
    {names::kVariableHeader, names::kHeaderVarType, KeywordTable::kHeaderVarType},
    {names::kLogo, names::kType, KeywordTable::kLogoType},
    {names::kMenubarItem, names::kMenubarType, KeywordTable::kMenubarAction},
    {names::kToolbarItemDec, names::kToolbarItemType, KeywordTable::kToolbarItemType},
    {names::kToolbarItemDec, names::kToolbarActionType, KeywordTable::kToolbarAction},
};

constexpr Reference kLocReferences[] = {
    {locnames::kHelpFile, locnames::kFref, Target::kFile},
    {locnames::kUiHelpFile, locnames::kFref, Target::kFile},
};

constexpr KeywordAttribute kLocKeywordAttributes[] = {
    {locnames::kHelpFile, locnames::kAnchors, KeywordTable::kHelpAnchors},
    {locnames::kUiHelpFile, locnames::kAnchors, KeywordTable::kHelpAnchors},
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

bool IsWebAddress(std::u16string_view reference) {
  return reference.starts_with(u"http://") || reference.starts_with(u"https://");
}

bool TargetFinds(Target target, Kind kind) {
  switch (target) {
    case Target::kVariable:
      return kind == Kind::kVariable;
    case Target::kMethod:
      return kind == Kind::kMethod;
    case Target::kImage:
      return kind == Kind::kImage;
    case Target::kModule:
    case Target::kModuleDeclaration:
      return kind == Kind::kModule;
    case Target::kHeaderParameter:
      return kind == Kind::kVariable || kind == Kind::kMetaVariable || kind == Kind::kMethod;
    case Target::kElement:
      return InElementDictionary(kind);
    case Target::kDisplay:
      return kind == Kind::kDisplay;
    case Target::kMenu:
    case Target::kAnyMenu:
      return kind == Kind::kMenu;
    case Target::kMenubarItem:
      return kind == Kind::kMenubarItem;
    case Target::kHeaderUse:
    case Target::kLanguage:
    case Target::kFile:
      break;
  }
  return false;
}

std::string_view TargetWord(Target target) {
  switch (target) {
    case Target::kHeaderParameter:
      return "header parameter";
    case Target::kElement:
      return "label";
    case Target::kHeaderUse:
      return "header area";
    case Target::kLanguage:
      return "language";
    case Target::kFile:
      return "file";
    case Target::kDisplay:
      return "display";
    case Target::kMenu:
    case Target::kAnyMenu:
      return "menu";
    case Target::kMenubarItem:
      return "menu-bar popup";
    case Target::kModule:
    case Target::kModuleDeclaration:
      return "module";
    case Target::kVariable:
      return "variable";
    case Target::kMethod:
      return "method";
    case Target::kImage:
      return "image";
  }
  return "element";
}

}  // namespace k42
