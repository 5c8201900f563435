// Tests of the interface header: enumeration values, identifiers and their text form, the 42 methods.
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace {

std::u16string ToText(REFGUID guid) {
  OLECHAR buffer[39];
  EXPECT_EQ(StringFromGUID2(guid, buffer, 39), 39);
  return buffer;
}

TEST(InterfaceHeader, EnumerationValues) {
  EXPECT_EQ(TYPE_DD_INT8_FP, 34);
  EXPECT_EQ(TYPE_DD_DURATION, 43);
  EXPECT_EQ(TYPE_DD_NOTUNIQUE, 33);
  EXPECT_EQ(ICON_DEFAULT, -1);
  EXPECT_EQ(ICON_UNKNOWN, 65535);
  EXPECT_EQ(PBM_EH_SETRANGE, 1231);
  EXPECT_EQ(PBM_EH_SETSTEP, 1234);
  EXPECT_EQ(PBM_EH_STEPIT, 1235);
  EXPECT_EQ(CTRL_VAR_HEADLINE, 12);
  EXPECT_EQ(ITEM_NEWCOLUMN, 8);
  EXPECT_EQ(PAR_HEADLINE, 7);
  EXPECT_EQ(kFUNCTIONONLINE, 5);
  EXPECT_EQ(EDITDISPLAY, 6);
}

TEST(InterfaceHeader, GuidTextRoundTrip) {
  EXPECT_EQ(ToText(IID_IDispatch), u"{00020400-0000-0000-C000-000000000046}");
  EXPECT_EQ(ToText(IID_ISupportErrorInfo), u"{DF0B3D60-548F-101B-8E65-08002B2BD119}");
  EXPECT_EQ(ToText(CLSID_GuiXmlModel), u"{3A555CD6-5570-496E-9DA9-739C629B88C1}");
  for (const GUID* id : {&CLSID_GuiXmlModel, &IID_IGuiXmlModel, &LIBID_K42GUIXMLREADERLib}) {
    CLSID back = GUID_NULL;
    ASSERT_EQ(CLSIDFromString(ToText(*id).c_str(), &back), NOERROR);
    EXPECT_EQ(back, *id);
  }
  EXPECT_NE(CLSID_GuiXmlModel, IID_IGuiXmlModel);
  OLECHAR small[38];
  EXPECT_EQ(StringFromGUID2(IID_IUnknown, small, 38), 0);

  IID iid = IID_IUnknown;
  ASSERT_EQ(IIDFromString(u"{8b0204ea-9862-4268-a3d4-7358798f1ea6}", &iid), S_OK);
  EXPECT_EQ(iid, IID_IGuiXmlModel);
  for (const char16_t* bad : {u"", u"{8B0204EA-9862-4268-A3D4-7358798F1EA6", u"{8B0204EA-9862-4268-A3D4-7358798F1EA6}x",
                              u"{8B0204EA-9862-4268-A3D4+7358798F1EA6}", u"{8B0204EA-9862-4268-A3",
                              u"K42Gui.GuiXmlModel", u"{8B0204EG-9862-4268-A3D4-7358798F1EA6}"}) {
    CLSID clsid = CLSID_GuiXmlModel;
    EXPECT_EQ(CLSIDFromString(bad, &clsid), CO_E_CLASSSTRING)
        << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    EXPECT_EQ(clsid, CLSID_NULL);
    EXPECT_EQ(IIDFromString(bad, &iid), E_INVALIDARG);
  }
  EXPECT_EQ(CLSIDFromString(nullptr, &iid), NOERROR);
  EXPECT_EQ(iid, GUID_NULL);
}

// Implements exactly the 42 methods: `override` fails to compile for a
// method the interface lacks or declares differently, and the class stays
// abstract if the interface has a method more.
class AllMethods final : public IGuiXmlModel {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Initialize(BSTR, BSTR, BSTR, BSTR, long, long) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetLanguage(BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetLanguage(BSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSupportedLanguages(VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetHelpFilePath(long, BSTR*, AnchorType*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetTabModules(long, VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetModuleIcon(BSTR, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetModuleRootMenus(BSTR, VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetModuleTreeIconList(BSTR, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetModuleInfo(BSTR, BSTR*, BSTR*, BSTR*, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExternModulePath(BSTR, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMenuItems(BSTR, BSTR, VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetDisplayItems(BSTR, BSTR, BSTR*, VARIANT*, long*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(BSTR, BSTR, BSTR*, DisplayType*, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetDisplayButtonNav(BSTR, BSTR, BSTR*, BSTR*, BSTR*, BSTR*, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetItemInfo(BSTR, BSTR, BSTR, BSTR*, long*, long*, BSTR*, ItemType*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLogo(LogoType, VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMetaVarRef(VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetParameterType(BSTR, ParType, VarType*, HandlingType*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetParameterInfo(BSTR, BSTR, BSTR, ParType, BSTR*, BSTR*, long*, BSTR*, BSTR*,
                                             BSTR*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetParameterDatatype(BSTR, ParType, VarType*, long*, long*, BSTR*, BSTR*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetParameterFormat(BSTR, ParType, BSTR*, BSTR*, long*, BSTR*, long*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetParameterEnumItems(BSTR, ParType, VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetHeaderVarRef(Mode, BSTR, BSTR*, BSTR*, BSTR*, BSTR*, long*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetParameterRef(BSTR, ParType, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMenubarItems(VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExternModule(BSTR, BSTR*, BSTR*, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetModulebarItems(BSTR, VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetToolbarItems(VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetToolbarIconsList(BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnLanguageIDChange(BSTR, long) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetConditionalLabelData(BSTR, VARIANT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetModuleFeature(BSTR, BSTR, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetFunctionIdIsOnline(long*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetHeaderRefs(BSTR, BSTR*, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetHeaderCtrlInfo(Mode, BSTR, BSTR*, BSTR*, BSTR*, long*, long*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetGuiLabel(BSTR, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetSDKInitialization(BSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSDKInitialization(BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSDKInitHelp(BSTR*, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ParseInitString(BSTR, BSTR*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetGlobalLabel(BSTR, BSTR*) override { return S_OK; }
};
static_assert(!std::is_abstract_v<AllMethods>, "IGuiXmlModel declares a method beyond the 42");
static_assert(std::is_base_of_v<IDispatch, IGuiXmlModel>);

// The exported entry points have C linkage and the Windows signatures.
static_assert(std::is_same_v<decltype(&DllGetClassObject), HRESULT (*)(REFCLSID, REFIID, LPVOID*)>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), HRESULT (*)()>);

// The automation types keep the Windows layout that the array code relies on.
static_assert(sizeof(VARIANT) == 24 && offsetof(VARIANT, lVal) == 8);
static_assert(offsetof(SAFEARRAY, pvData) == 16 && offsetof(SAFEARRAY, rgsabound) == 24);

}  // namespace
