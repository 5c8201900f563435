// The document object: owns every record read from the GUI XML file and the
// localized file, runs the loading sequence and answers the model queries.
//
// CDDParserXML is also the SAX2 content handler of the localized-file reader.
// Its members are implemented across the model, reader and localization
// units; each reader unit defines the Parse... members of its section.
//
// Example:
//   CDDModel model;   // CDDParserXML plus paths and help-file services
//   int32_t rc = model.Initialize(u"/devices/pt42/", u"demo.xml",
//                                 u"demo_loc.xml", u"en", 1, nullptr);
//   std::vector<std::u16string> tabs;
//   if (rc == 0) model.GetTabModules(1, tabs);
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>

#include <k42gui/wintypes.h>

#include "model/DDBase.h"
#include "model/DomUtil.h"
#include "model/ErrorHandlers.h"
#include "model/IdIndex.h"
#include "model/OwnedList.h"
#include "model/TextPool.h"
#include "model/records/DDBarItems.h"
#include "model/records/DDDisplay.h"
#include "model/records/DDHeaderRecord.h"
#include "model/records/DDImage.h"
#include "model/records/DDMenu.h"
#include "model/records/DDMetaInformation.h"
#include "model/records/DDMethod.h"
#include "model/records/DDModule.h"
#include "model/records/DDVariable.h"

using xercesc::DOMNode;
using xercesc::DOMNodeList;

namespace k42 {
// The kinds of the localized file's elements (localization/LocElements.h).
enum class LocElement : uint8_t;
}  // namespace k42

// Result codes of ParseFile.
enum ParseFileResult : int32_t {
  kParseOk = 0,
  kParseErrors = -1,  // the DOM parser reported errors
  kParseXmlException = -2,
  kParseDomException = -3,
  kParseOtherException = -4,
  kParseDocumentFailed = -5,  // a section reader failed
  kParseLocFileFailed = -6,   // the localized file could not be applied
};

class CDDParserXML : public xercesc::DefaultHandler {
 public:
  CDDParserXML();
  ~CDDParserXML() override;
  CDDParserXML(const CDDParserXML&) = delete;
  CDDParserXML& operator=(const CDDParserXML&) = delete;

  // ---- Loading -------------------------------------------------------
  int32_t ParseFile(const std::u16string& xmlPath, const std::u16string& locPath, const std::u16string& language,
                    int32_t functionId, HWND progress);
  // sections, when given, are the section elements already listed while the document was parsed, in the
  // order of SectionNames(); without them the document is searched.
  int32_t ParseDocument(xercesc::DOMDocument* document, int32_t functionId, HWND progress,
                        std::vector<k42::NodeVector>* sections = nullptr);
  // The tag names of the sections, in the order in which they are read.
  static const std::vector<std::u16string_view>& SectionNames();

  // Section readers, in the order of the walk. Each gets every element of
  // its tag name in document order.
  int ParseLabelDec(DOMNodeList* list);
  int ParseVarDec(DOMNodeList* list);
  int ParseFunctionId(DOMNodeList* list, int32_t functionId);
  int ParseModuleDec(DOMNodeList* list);
  int ParseHeaderArea(DOMNodeList* list);
  int ParseMetaInformation(DOMNodeList* list);
  int ParseMetDec(DOMNodeList* list);
  int ParseImageDec(DOMNodeList* list);
  int ParseMenubar(DOMNodeList* list);
  int ParseToolbar(DOMNodeList* list);

  // Variables.
  int ParseVarBody(DOMNodeList* children, CDDVariable* variable);
  int ParseGuiFormat(DOMNode* node, CDDVariable* variable);
  int ParseDatatype(DOMNode* node, CDDVariable* variable);
  int ParseVarModifier(DOMNode* node, CDDVariable* variable);
  int ParseEnumItem(DOMNode* node, CDDVariable* variable);
  int ParseValue(DOMNode* node, CDDVariable* variable);
  int ParseControlFormat(DOMNodeList* children, CDDDisplayItem* control);
  // The attribute's text, stored in the model's text pool; false (field unchanged) when it is absent.
  bool PoolAttribute(const DOMNode* node, const char16_t* name, k42::PooledText& field);

  // Methods and images.
  int ParseMetBody(DOMNodeList* children, CDDMethod* method);
  int ParseMetModifier(DOMNode* node, CDDMethod* method);
  int ParseImageBody(DOMNodeList* children, CDDImage* image);
  int ParseImageSize(DOMNode* node, int sizeIndex, CDDImage* image);
  int ParseImageLink(DOMNode* node, CDDImage* image);

  // Function identifier and modules.
  int ParseFunctionModules(DOMNodeList* children);
  static bool ParseBool(const std::u16string& text);

  // Header area.
  int ParseHeaderRecords(DOMNodeList* children, const std::u16string& use);
  int ParseVariableHeader(DOMNode* node, CDDHeaderRecord* record);
  int ParseImageHeader(DOMNode* node, CDDHeaderRecord* record);

  // Metainformation.
  int ParseMetaChildren(DOMNodeList* children);
  int ParseLanguageSupport(DOMNode* node);
  int ParseLanguage(DOMNode* node, CDDLanguage* language);
  int ParseAuxFiles(DOMNode* node);
  int ParseLogo(DOMNode* node);

  // Module body: links, features, header references, device-help switch.
  int ParseModuleBody(DOMNodeList* children, CDDModule* module);
  int ParseLink2Module(DOMNode* node, CDDModule* module);
  int ParseFeatures(DOMNodeList* children, CDDModule* module);
  int ParseFeature(DOMNode* node, CDDModule* module);
  int ParseHeaderRef(DOMNode* node, CDDModule* module);
  bool IsDeviceHelpSwitchedOff();

  // Navigation area.
  int ParseNavigationArea(DOMNode* node, CDDModule* module);
  int ParseMenuDec(DOMNode* node, CDDModule* module);
  int ParseRootMenu(DOMNode* node, CDDModule* module);
  int ParseVariableNav(DOMNode* node, CDDModule* module, CDDMenuItem* menu);
  int ParseMethodNav(DOMNode* node, CDDModule* module, CDDMenuItem* menu);
  int ParseModuleNav(DOMNode* node, CDDModule* module, CDDMenuItem* menu);
  int ParseSubMenu(DOMNode* node, CDDModule* module, CDDMenuItem* menu);

  // Display layouts.
  int ParsePardisArea(DOMNode* node, CDDModule* module);
  int ParsePardisDec(DOMNode* node, CDDModule* module);
  int ParseVariablePardis(DOMNode* node, CDDPardis* display);
  int ParseImagePardis(DOMNode* node, CDDPardis* display);
  int ParseMethodPardis(DOMNode* node, CDDPardis* display);
  int ParseModulePardis(DOMNode* node, CDDPardis* display);
  int ParseHeadlinePardis(DOMNode* node, CDDPardis* display);
  int ParseEmptyFieldPardis(DOMNode* node, CDDPardis* display);
  int ParseNewColumnPardis(DOMNode* node, CDDPardis* display);
  int ParseHorNav(DOMNode* node, CDDPardis* display);

  // Menu bar and toolbar.
  int ParseMenubarItems(DOMNodeList* children, k42::OwnedList<CDDMenubarItem>& items);
  int ParseToolbarItems(DOMNodeList* children);

  // ---- Localized file ------------------------------------------------
  int ParseLocFile(HWND progress);

  void startDocument() override;
  void endDocument() override;
  void startElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname,
                    const xercesc::Attributes& attributes) override;
  void endElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname) override;
  void characters(const XMLCh* chars, const XMLSize_t length) override;
  void ignorableWhitespace(const XMLCh* chars, const XMLSize_t length) override;
  void processingInstruction(const XMLCh* target, const XMLCh* data) override;

  // ---- Built-in texts and languages ----------------------------------
  bool AddBuiltinTexts();
  // Enters element in the GUI label dictionary, which then owns it; false (and element
  // destroyed) when the identifier is empty or taken.
  bool AdoptGuiLabel(std::unique_ptr<CDDElement> element);
  int32_t GetGuiLabel(const std::u16string& id, std::u16string& text) const;
  int32_t GetGlobalLabel(const std::u16string& id, std::u16string& text) const;
  int32_t GetLanguage(std::u16string& language) const;
  int32_t SetLanguage(const std::u16string& language);
  // Re-reads the localized file when language differs from the current one.
  int32_t ChangeLanguage(const std::u16string& language, HWND progress);
  int32_t GetSupportedLanguages(std::map<std::u16string, std::u16string>& languages) const;

  // ---- Module, menu and display queries ------------------------------
  // File references come back as the file wrote them (the ...Ref queries); CDDModel's queries of the
  // interface's names put the directory in front.
  int32_t GetHelpFileRef(int32_t helpFileType, std::u16string& path, int32_t& anchor) const;
  int32_t GetTabModules(int32_t isTab, std::vector<std::u16string>& ids) const;
  int32_t GetModuleIntegration(const std::u16string& moduleId, int32_t& integration) const;
  CDDModule* FindModule(const std::u16string& moduleId) const;
  int32_t GetModuleIconRef(const std::u16string& moduleId, std::u16string& icon) const;
  int32_t GetModuleTreeIconListRef(const std::u16string& moduleId, std::u16string& list) const;
  int32_t GetExternModule(const std::u16string& moduleId, std::u16string& externModule, std::u16string& label,
                          std::u16string& init) const;
  int32_t GetExternModuleRef(const std::u16string& moduleId, std::u16string& path) const;
  int32_t GetModuleInfoRefs(const std::u16string& moduleId, std::u16string& name, std::u16string& icon,
                            std::u16string& treeIcons, std::u16string& helpFilePath) const;
  int32_t GetModuleRootMenus(const std::u16string& moduleId, std::vector<CDDMenuEntry>& entries) const;
  int32_t GetModuleFeature(const std::u16string& moduleId, const std::u16string& name, std::u16string& value) const;
  int32_t GetHeaderRefs(const std::u16string& moduleId, std::u16string& offline, std::u16string& online) const;
  int32_t GetMenuItems(const std::u16string& moduleId, const std::u16string& menuId,
                       std::vector<CDDMenuEntry>& entries) const;
  // The display GetDisplayItems answers from (the first module of that identifier that has it), or null;
  // it stays owned by the model.
  const CDDPardis* FindDisplayOfModules(const std::u16string& moduleId, const std::u16string& displayId) const;
  void GetDisplayItems(const std::u16string& moduleId, const std::u16string& displayId, std::u16string& label,
                       int32_t& displayType, std::u16string& imagePath, std::vector<CDDDisplayItem>& items,
                       int32_t& rwroCond) const;
  int32_t GetDisplayInfo(const std::u16string& moduleId, const std::u16string& displayId, std::u16string& label,
                         int32_t& displayType, std::u16string& validId) const;
  int32_t GetDisplayButtonNav(const std::u16string& moduleId, const std::u16string& displayId, std::u16string& first,
                              std::u16string& previous, std::u16string& next, std::u16string& last,
                              std::u16string& home) const;
  int32_t GetItemInfo(const std::u16string& moduleId, const std::u16string& parentMenuId, const std::u16string& itemId,
                      std::u16string& label, std::u16string& displayId, std::u16string& imageListIndex,
                      int32_t& itemType, int32_t& conditionalLabel) const;
  int32_t GetLogoRefs(std::vector<CDDLogo>& logos) const;
  int32_t GetFunctionIdIsOnline(int32_t* online) const;

  // Menu bar and toolbar lists (pointers stay owned by the model).
  void GetMenubarItems(std::vector<CDDMenubarItem*>& items) const;
  int32_t GetModulebarItems(const std::u16string& moduleId, std::vector<CDDMenubarItem*>& items) const;
  void GetToolbarItems(std::vector<CDDToolbarItem*>& items) const;
  // The toolbar image list reference; returns its length (0: none given).
  size_t GetToolbarImageList(std::u16string& reference) const;

  // ---- Parameter and header queries ----------------------------------
  int32_t GetParameterType(const std::u16string& id, int32_t parType, int32_t& varType, int32_t& handling) const;
  int32_t GetParameterInfo(const std::u16string& id, const std::u16string& labelRef, int32_t parType,
                           std::u16string& value, std::u16string& label, int32_t& conditionalLabel,
                           std::u16string& tooltip, std::u16string& helpTopic, std::u16string& helpRef) const;
  int32_t GetParameterDatatype(const std::u16string& id, int32_t parType, int32_t& varType, int32_t& sizeInBit,
                               int32_t& conditionalAttribute, std::u16string& storage, std::u16string& handling) const;
  int32_t GetParameterFormat(const std::u16string& id, int32_t parType, std::u16string& format,
                             std::u16string& alignment, int32_t& displayCondition, std::u16string& style,
                             int32_t& conditionalFormat) const;
  int32_t GetParameterEnumItems(const std::u16string& id, int32_t parType, std::vector<CDDEnumItem*>& items) const;
  int32_t GetParameterRefAt(const std::u16string& id, int32_t parType, int32_t index, std::u16string& reference) const;
  int32_t GetMetaVarRef(std::vector<std::u16string>& ids) const;
  int32_t GetHeaderVarRef(int32_t mode, const std::u16string& mapping, std::u16string& parameterId, int32_t& origin,
                          std::u16string& labelRef, std::u16string& statusId, int32_t& headerVarType) const;
  int32_t GetHeaderCtrlInfo(int32_t mode, const std::u16string& mapping, std::u16string& controlId,
                            std::u16string& progId, std::u16string& init, int32_t& width, int32_t& height) const;
  int32_t GetConditionalLabelData(const std::u16string& id, std::vector<CDDText>& variants) const;
  // The first header record of that mapping name for the mode's text, or null.
  const CDDHeaderRecord* FindHeaderRecord(int32_t mode, const std::u16string& mapping) const;
  // The record the parameter queries answer from for an identifier: the first variable (PAR_VARIABLE),
  // metavariable (PAR_META), method (PAR_METHODE), image (PAR_IMAGE) or module (PAR_MODULE) of that
  // identifier; null when there is none or for any other ParType.
  const CDDElement* FindParameter(const std::u16string& id, int32_t parType) const;

  // ---- Read access for tests and tools -------------------------------
  int32_t FunctionId() const { return m_functionId; }
  const std::u16string& XmlPath() const { return m_xmlPath; }
  const std::u16string& LocPath() const { return m_locPath; }
  const std::u16string& Language() const { return m_language; }
  const k42::OwnedList<CDDElement>& Labels() const { return m_labels; }
  const k42::OwnedList<CDDVariable>& Variables() const { return m_variables; }
  const k42::OwnedList<CDDMethod>& Methods() const { return m_methods; }
  const k42::OwnedList<CDDImage>& Images() const { return m_images; }
  const k42::OwnedList<CDDMetaVariable>& MetaVariables() const { return m_metaVariables; }
  const k42::OwnedList<CDDModule>& Modules() const { return m_modules; }
  const k42::OwnedList<CDDHeaderRecord>& HeaderRecords() const { return m_headerRecords; }
  const std::vector<CDDLogo>& Logos() const { return m_logos; }
  const k42::OwnedList<CDDLanguage>& Languages() const { return m_languages; }
  const k42::OwnedList<CDDMenubarItem>& MenubarItems() const { return m_menubarItems; }
  const k42::OwnedList<CDDToolbarItem>& ToolbarItems() const { return m_toolbarItems; }
  const CDDElementMap& ElementDictionary() const { return m_elements; }
  const CDDElementMap& GuiLabelDictionary() const { return m_guiLabels; }
  const std::vector<CDDBase*>& ScopeList() const { return m_scopes; }
  int32_t IsOnline() const { return m_isOnline; }
  // Whether a "FUNCTION_ID" selected the function of the load (and so which modules exist).
  bool FunctionFound() const { return m_functionFound; }
  const CDomErrorHandler* DomErrorHandler() const { return m_domErrorHandler.get(); }
  // Where the rows' texts live (display items, menu entries); it grows with every file read.
  k42::TextPool& Texts() { return m_texts; }

 protected:
  // The content handler's start and end of an element, past the depth bound: outside a language block
  // that applies only "LANG" and "LANGUAGE_SUPPORT" are looked at.
  void LocStart(const XMLCh* localname, const xercesc::Attributes& attributes);
  void LocEnd(const XMLCh* localname);
  // The same inside a block that applies, by element kind; attributes holds the kind's attribute values,
  // absent ones empty.
  void ApplyLocStart(k42::LocElement element, const std::u16string_view* attributes);
  void ApplyLocEnd(k42::LocElement element);
  // Applies the character data collected since the last end tag to the
  // element(s) the localized file currently addresses.
  void ApplyPendingText();
  void ApplyPendingTextTo(CDDBase* target);
  // target as an element, or null; remembered for the next call.
  CDDElement* LocElementOf(CDDBase* target);
  // Gives back the spare capacity of the record lists once the GUI XML file is read (they only grow).
  void ReleaseSpareCapacity();
  // Builds (or, with build false, drops) m_locModuleScopes for one read of the localized file.
  void IndexModuleScopes(bool build);

  int32_t m_functionId = -1;
  bool m_functionFound = false;
  std::u16string m_xmlPath;
  std::u16string m_locPath;
  std::u16string m_language;
  std::u16string m_toolbarImageList;
  std::u16string m_dtmHelpFile;
  int32_t m_dtmHelpAnchor = 1;  // kEQTOID
  std::u16string m_uiHelpFile;
  int32_t m_uiHelpAnchor = 1;  // kEQTOID
  std::unique_ptr<CDomErrorHandler> m_domErrorHandler;
  k42::TextPool m_texts;      // before the records whose rows point into it
  CDDElementMap m_elements;   // every declared element; does not own
  CDDElementMap m_guiLabels;  // built-in and "SDKSTDGUI" texts, owned by m_guiLabelStore
  k42::OwnedList<CDDElement> m_guiLabelStore;
  k42::OwnedList<CDDVariable> m_variables;
  k42::OwnedList<CDDMethod> m_methods;
  k42::OwnedList<CDDElement> m_labels;
  k42::OwnedList<CDDImage> m_images;
  k42::OwnedList<CDDMetaVariable> m_metaVariables;
  k42::OwnedList<CDDModule> m_modules;
  k42::OwnedList<CDDHeaderRecord> m_headerRecords;
  std::vector<CDDLogo> m_logos;
  k42::OwnedList<CDDLanguage> m_languages;
  k42::OwnedList<CDDMenubarItem> m_menubarItems;
  k42::OwnedList<CDDToolbarItem> m_toolbarItems;
  CSaxErrorHandler m_saxErrorHandler;

  // Localized-file reader state (reset at the start of every read).
  int32_t m_locMatched = 0;
  int32_t m_locState = 2;
  std::vector<CDDBase*> m_locContext;
  int32_t m_locSkip = 0;
  unsigned m_locDepth = 0;  // element nesting, bounded by k42::kMaxElementDepth
  uint8_t m_locGuiScope = 0;
  std::u16string m_locCurrentName;
  std::u16string m_locEnumValue;
  std::u16string m_locLegend;
  std::u16string m_locKey;
  std::u16string m_locChars;
  int32_t m_locInLabel = 0;
  int32_t m_locInTooltip = 0;
  int32_t m_locInHelpTopic = 0;
  int32_t m_locInEnum = 0;
  CDDBase* m_locCastFrom = nullptr;  // the last target LocElementOf looked at, and what it found
  CDDElement* m_locCastTo = nullptr;
  // During a read: for each identifier that a module of the scope list holds, the element each such module
  // finds for it, in scope-list order. An identifier missing from its scope then costs two look-ups rather
  // than one per module. Not usable (the plain walk of the scope list is taken) when the scope list holds
  // anything but the element dictionary followed by modules.
  std::unordered_map<std::u16string_view, std::vector<CDDBase*>> m_locModuleScopes;
  bool m_locModuleScopesUsable = false;

  std::vector<CDDBase*> m_scopes;  // element dictionary, then every module

  // Look-ups by identifier that answer as the first match of a scan of their list would.
  k42::AllIdIndex<CDDModule> m_moduleIndex;
  k42::FirstIdIndex<CDDVariable> m_variableIndex;
  k42::AllIdIndex<CDDMetaVariable> m_metaVariableIndex;
  k42::FirstIdIndex<CDDMethod> m_methodIndex;
  k42::FirstIdIndex<CDDImage> m_imageIndex;
  // The first header record of each mode text and mapping name ("use" NUL "mapping").
  mutable std::unordered_map<std::u16string, const CDDHeaderRecord*> m_headerRecordIndex;
  mutable size_t m_headerRecordsIndexed = 0;
  int32_t m_isOnline = 1;
  bool m_deviceHelpRead = false;
  bool m_deviceHelpOff = false;
};
