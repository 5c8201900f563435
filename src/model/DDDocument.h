// The document: owns every record read from the GUI XML file and the localized
// file, and answers the model queries. Loading it is the loader's job
// (loading/DDParserXML.h), which derives from it; the section readers and the
// localized-file reader fill it through the access below.
//
// Example:
//   CDDModel model;   // the loader plus paths and help-file services
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
#include <unordered_map>
#include <vector>

#include "model/DDBase.h"
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

class CDDDocument {
 public:
  CDDDocument();
  virtual ~CDDDocument();
  CDDDocument(const CDDDocument&) = delete;
  CDDDocument& operator=(const CDDDocument&) = delete;

  // ---- Labels and languages ------------------------------------------
  // Enters element in the GUI label dictionary, which then owns it; false (and element
  // destroyed) when the identifier is empty or taken.
  bool AdoptGuiLabel(std::unique_ptr<CDDElement> element);
  int32_t GetGuiLabel(const std::u16string& id, std::u16string& text) const;
  int32_t GetGlobalLabel(const std::u16string& id, std::u16string& text) const;
  int32_t GetLanguage(std::u16string& language) const;
  int32_t SetLanguage(const std::u16string& language);
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
  // Where the rows' texts live (display items, menu entries); it grows with every file read.
  k42::TextPool& Texts() { return m_texts; }

  // ---- Filling, for the section readers and the localized-file reader ----
  k42::OwnedList<CDDElement>& Labels() { return m_labels; }
  k42::OwnedList<CDDVariable>& Variables() { return m_variables; }
  k42::OwnedList<CDDMethod>& Methods() { return m_methods; }
  k42::OwnedList<CDDImage>& Images() { return m_images; }
  k42::OwnedList<CDDMetaVariable>& MetaVariables() { return m_metaVariables; }
  k42::OwnedList<CDDModule>& Modules() { return m_modules; }
  k42::OwnedList<CDDHeaderRecord>& HeaderRecords() { return m_headerRecords; }
  std::vector<CDDLogo>& Logos() { return m_logos; }
  k42::OwnedList<CDDLanguage>& Languages() { return m_languages; }
  k42::OwnedList<CDDMenubarItem>& MenubarItems() { return m_menubarItems; }
  k42::OwnedList<CDDToolbarItem>& ToolbarItems() { return m_toolbarItems; }
  CDDElementMap& ElementDictionary() { return m_elements; }
  CDDElementMap& GuiLabelDictionary() { return m_guiLabels; }
  std::vector<CDDBase*>& ScopeList() { return m_scopes; }
  // What the localized file's reader keeps from one read for the next: a type of its own, and never more
  // than a hint to it.
  struct ReaderMemo {
    virtual ~ReaderMemo() = default;
  };
  std::unique_ptr<ReaderMemo>& LocalizedReaderMemo() { return m_localizedReaderMemo; }
  void SetOnline(int32_t online) { m_isOnline = online; }
  void SetFunctionFound() { m_functionFound = true; }
  void SetToolbarImageList(std::u16string reference) { m_toolbarImageList = std::move(reference); }
  // The help file reference of kHELPDTM or kHELPUI as the localized file gives it; an "ANCHORS" word that
  // names no anchor kind leaves the kind as it was.
  void SetHelpFile(int32_t helpFileType, std::u16string_view file, std::u16string_view anchors);
  // Gives back the spare capacity of the record lists once the GUI XML file is read (they only grow).
  void ReleaseSpareCapacity();

 protected:
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
  k42::TextPool m_texts;       // before the records whose rows point into it
  CDDElementMap m_elements;    // every declared element; does not own
  CDDElementMap m_guiLabels;   // built-in and "SDKSTDGUI" texts, owned by m_guiLabelStore
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

  std::vector<CDDBase*> m_scopes;  // element dictionary, then every module
  std::unique_ptr<ReaderMemo> m_localizedReaderMemo;

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
};
