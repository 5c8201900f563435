// CGuiXmlModel, the implementation of GuiXmlModel: identity, lifetime, late binding and the 42 methods.
#pragma once

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"

namespace k42com {

// One GuiXmlModel object: it owns one model, living and dying with it, and
// exposes it through IGuiXmlModel (dual; IDispatch is the same pointer) and
// ISupportErrorInfo. Objects belong to one apartment, so the reference count
// is a plain counter. Each live object holds one unit of the module lock
// count.
//
// The object can be aggregated: created with an outer object, its IUnknown
// methods delegate to the outer one, and the outer object holds the inner
// (non-delegating) IUnknown, which alone controls the object's lifetime.
//
// The methods convert between automation types and the model
// (conversions.h, variant_array.h). Their contracts, and the rules common to
// all of them (results, null outputs, strings, arrays), are documented where
// hosts read them: <k42gui/IGuiXmlModel.h>.
class CGuiXmlModel final : public ISupportErrorInfo, public IGuiXmlModel {
 public:
  // Creates an object (aggregated when outer is given) and queries it for
  // riid; the object is destroyed again when the query fails.
  static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

  // IUnknown, delegating to the controlling unknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // ISupportErrorInfo: S_OK for IGuiXmlModel only.
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

  // IDispatch, answered from the type information of IGuiXmlModel.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  // IGuiXmlModel, in dispatch-identifier order.
  /* 1 */ HRESULT STDMETHODCALLTYPE Initialize(BSTR bstrDirectory, BSTR bstrXMLFile, BSTR bstrXMLLocalizedFile,
                                               BSTR bstrLangID, long lFunctionID, long lWndProgress) override;
  /* 2 */ HRESULT STDMETHODCALLTYPE GetLanguage(BSTR* pbstrLangID) override;
  /* 3 */ HRESULT STDMETHODCALLTYPE SetLanguage(BSTR bstrLangID) override;
  /* 4 */ HRESULT STDMETHODCALLTYPE GetSupportedLanguages(VARIANT* pvarLanguages) override;
  /* 5 */ HRESULT STDMETHODCALLTYPE GetHelpFilePath(long lHelpFileType, BSTR* pbstrHelpFilePath,
                                                    AnchorType* pAnchorType) override;
  /* 6 */ HRESULT STDMETHODCALLTYPE GetTabModules(long isTab, VARIANT* pvarModuleID) override;
  /* 7 */ HRESULT STDMETHODCALLTYPE GetModuleIcon(BSTR bstrModuleID, BSTR* pbstrIconPath) override;
  /* 8 */ HRESULT STDMETHODCALLTYPE GetModuleRootMenus(BSTR bstrModuleID, VARIANT* pvarRootMenus) override;
  /* 9 */ HRESULT STDMETHODCALLTYPE GetModuleTreeIconList(BSTR bstrModuleID, BSTR* pbstrIconList) override;
  /* 10 */ HRESULT STDMETHODCALLTYPE GetModuleInfo(BSTR bstrModuleID, BSTR* pbstrModuleName, BSTR* pbstrIcon,
                                                   BSTR* pbstrTreeIcons, BSTR* pbstrHelpFilePath) override;
  /* 11 */ HRESULT STDMETHODCALLTYPE GetExternModulePath(BSTR bstrModuleID, BSTR* pbstrExternModulePath) override;
  /* 12 */ HRESULT STDMETHODCALLTYPE GetMenuItems(BSTR bstrModuleID, BSTR bstrMenuID, VARIANT* pvarItems) override;
  /* 13 */ HRESULT STDMETHODCALLTYPE GetDisplayItems(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pImagePath,
                                                     VARIANT* pvarItems, long* pbRWROCond) override;
  /* 14 */ HRESULT STDMETHODCALLTYPE GetDisplayInfo(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pbstrLabel,
                                                    DisplayType* penDisplayType, BSTR* pbstrValidId) override;
  /* 15 */ HRESULT STDMETHODCALLTYPE GetDisplayButtonNav(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pbstrFirst,
                                                         BSTR* pbstrPrev, BSTR* pbstrNext, BSTR* pbstrLast,
                                                         BSTR* pbstrHome) override;
  /* 16 */ HRESULT STDMETHODCALLTYPE GetItemInfo(BSTR bstrModuleID, BSTR bstrParentMenuID, BSTR bstrItemID,
                                                 BSTR* pbstrLabel, long* pIsConditionalLabel, long* pIconID,
                                                 BSTR* pbstrDisplayID, ItemType* penType) override;
  /* 17 */ HRESULT STDMETHODCALLTYPE GetLogo(LogoType enLogoType, VARIANT* pvarLogos) override;
  /* 18 */ HRESULT STDMETHODCALLTYPE GetMetaVarRef(VARIANT* pvarRefs) override;
  /* 19 */ HRESULT STDMETHODCALLTYPE GetParameterType(BSTR bstrParameterID, ParType enParType, VarType* penVarType,
                                                      HandlingType* penHandlingType) override;
  /* 20 */ HRESULT STDMETHODCALLTYPE GetParameterInfo(BSTR bstrParameterID, BSTR bstrLabelRef, BSTR bstrLegend,
                                                      ParType enParType, BSTR* pbstrValue, BSTR* pbstrLabel,
                                                      long* nIsConditionalLabel, BSTR* pbstrToolTip,
                                                      BSTR* pbstrHelpTopic, BSTR* pbstrHelpRef) override;
  /* 21 */ HRESULT STDMETHODCALLTYPE GetParameterDatatype(BSTR bstrParameterID, ParType enParType, VarType* penVarType,
                                                          long* nSizeInBit, long* nConditionalAttribute,
                                                          BSTR* pbstrStorage, BSTR* pbstrHandling) override;
  /* 22 */ HRESULT STDMETHODCALLTYPE GetParameterFormat(BSTR bstrParameterID, ParType enParType, BSTR* pbstrFormat,
                                                        BSTR* pbstrAlignment, long* nDisplayCondition, BSTR* pbstrStyle,
                                                        long* pbIsConditionalFormat) override;
  /* 23 */ HRESULT STDMETHODCALLTYPE GetParameterEnumItems(BSTR bstrParameterID, ParType enParType,
                                                           VARIANT* pEnumItems) override;
  /* 24 */ HRESULT STDMETHODCALLTYPE GetHeaderVarRef(Mode enMode, BSTR bstrMapping, BSTR* pbstrParID, BSTR* pbstrOrigin,
                                                     BSTR* pbstrLabelRef, BSTR* pbstrStatusID, long* pVarType) override;
  /* 25 */ HRESULT STDMETHODCALLTYPE GetParameterRef(BSTR bstrParameterID, ParType enParType, BSTR* pbstrRef) override;
  /* 26 */ HRESULT STDMETHODCALLTYPE GetMenubarItems(VARIANT* pvarMenubarItems) override;
  /* 27 */ HRESULT STDMETHODCALLTYPE GetExternModule(BSTR bstrModuleID, BSTR* pbstrExternModule, BSTR* pbstrLabel,
                                                     BSTR* pbstrInit) override;
  /* 28 */ HRESULT STDMETHODCALLTYPE GetModulebarItems(BSTR moduleID, VARIANT* pvarMenubarItems) override;
  /* 29 */ HRESULT STDMETHODCALLTYPE GetToolbarItems(VARIANT* pvarMenubarItems) override;
  /* 30 */ HRESULT STDMETHODCALLTYPE GetToolbarIconsList(BSTR* pbstrPath) override;
  /* 31 */ HRESULT STDMETHODCALLTYPE OnLanguageIDChange(BSTR bstrLangID, long lWndProgress) override;
  /* 32 */ HRESULT STDMETHODCALLTYPE GetConditionalLabelData(BSTR bstrParameterID, VARIANT* pVarLabels) override;
  /* 33 */ HRESULT STDMETHODCALLTYPE GetModuleFeature(BSTR bstrModule, BSTR bstrFeatureName,
                                                      BSTR* pbstrFeatureValue) override;
  /* 34 */ HRESULT STDMETHODCALLTYPE GetFunctionIdIsOnline(long* online) override;
  /* 35 */ HRESULT STDMETHODCALLTYPE GetHeaderRefs(BSTR bstrModule, BSTR* strHeaderRefOffline,
                                                   BSTR* strHeaderRefOnline) override;
  /* 36 */ HRESULT STDMETHODCALLTYPE GetHeaderCtrlInfo(Mode enMode, BSTR bstrMapping, BSTR* pbstrID, BSTR* pbstrProgID,
                                                       BSTR* pbstrInit, long* plWidth, long* plHeight) override;
  /* 37 */ HRESULT STDMETHODCALLTYPE GetGuiLabel(BSTR bstrLabelID, BSTR* pbstrLabelText) override;
  /* 38 */ HRESULT STDMETHODCALLTYPE SetSDKInitialization(BSTR bstrSDKInitialization) override;
  /* 39 */ HRESULT STDMETHODCALLTYPE GetSDKInitialization(BSTR* pbstrSDKInitialization) override;
  /* 40 */ HRESULT STDMETHODCALLTYPE GetSDKInitHelp(BSTR* pbstrHelpApplication, BSTR* pbstrHelpParameter) override;
  /* 41 */ HRESULT STDMETHODCALLTYPE ParseInitString(BSTR bstrParameter, BSTR* pbstrValue) override;
  /* 42 */ HRESULT STDMETHODCALLTYPE GetGlobalLabel(BSTR bstrLabelID, BSTR* pbstrLabelText) override;

 private:
  // The non-delegating IUnknown: the object's own identity and lifetime.
  class InnerUnknown final : public IUnknown {
   public:
    explicit InnerUnknown(CGuiXmlModel& owner) : m_owner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

   private:
    CGuiXmlModel& m_owner;
  };

  explicit CGuiXmlModel(IUnknown* outer);
  ~CGuiXmlModel();
  CGuiXmlModel(const CGuiXmlModel&) = delete;
  CGuiXmlModel& operator=(const CGuiXmlModel&) = delete;

  InnerUnknown m_inner;
  IUnknown* m_outer;  // the controlling unknown when aggregated, else null
  ULONG m_refs = 0;
  CDDModel m_model;
};

}  // namespace k42com
