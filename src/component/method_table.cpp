// The static description of IGuiXmlModel's methods and the calls that late binding makes through it.
#include "component/method_table.h"

#include <array>
#include <bit>
#include <type_traits>
#include <utility>

namespace k42com {

namespace {

// How a C++ parameter type of the interface crosses Invoke, and how its
// value or pointer is taken from the call's arguments.
template <class T>
struct Param;
template <>
struct Param<BSTR> {
  static constexpr ArgKind kKind = ArgKind::InText;
  static BSTR Get(DispatchArgs& args, size_t i) { return args.Text(i); }
};
template <>
struct Param<long> {
  static constexpr ArgKind kKind = ArgKind::InLong;
  static long Get(DispatchArgs& args, size_t i) { return args.Long(i); }
};
template <class E>
requires std::is_enum_v<E>
struct Param<E> {
  static constexpr ArgKind kKind = ArgKind::InEnum;
  // The number as it is, also outside the enumeration's range (see EnumValue).
  static E Get(DispatchArgs& args, size_t i) { return std::bit_cast<E>(args.Enum(i)); }
};
template <>
struct Param<BSTR*> {
  static constexpr ArgKind kKind = ArgKind::OutText;
  static BSTR* Get(DispatchArgs& args, size_t i) { return args.TextOut(i); }
};
template <>
struct Param<long*> {
  static constexpr ArgKind kKind = ArgKind::OutLong;
  static long* Get(DispatchArgs& args, size_t i) { return args.LongOut(i); }
};
template <class E>
requires std::is_enum_v<E>
struct Param<E*> {
  static constexpr ArgKind kKind = ArgKind::OutEnum;
  // The methods write enumeration outputs through their bytes (WriteNumber).
  static E* Get(DispatchArgs& args, size_t i) { return reinterpret_cast<E*>(args.EnumOut(i)); }
};
template <>
struct Param<VARIANT*> {
  static constexpr ArgKind kKind = ArgKind::OutArray;
  static VARIANT* Get(DispatchArgs& args, size_t i) { return args.ArrayOut(i); }
};

// The call of one method, and its parameter kinds, derived from its
// signature in the interface.
template <auto Method>
struct Thunk;
template <class... P, HRESULT (STDMETHODCALLTYPE IGuiXmlModel::*Method)(P...)>
struct Thunk<Method> {
  static constexpr std::array<ArgKind, sizeof...(P)> kKinds = {Param<P>::kKind...};

  static HRESULT Call(IGuiXmlModel* object, DispatchArgs& args) {
    return CallWith(object, args, std::index_sequence_for<P...>{});
  }

  template <size_t... I>
  static HRESULT CallWith(IGuiXmlModel* object, DispatchArgs& args, std::index_sequence<I...>) {
    return (object->*Method)(Param<P>::Get(args, I)...);
  }
};

// GetHeaderVarRef hands out the origin, a ParType number, through its
// BSTR* parameter pbstrOrigin; late-bound callers receive it as a number.
constexpr std::array<ArgKind, 7> kHeaderVarRefKinds = {ArgKind::InEnum,          ArgKind::InText,  ArgKind::OutText,
                                                       ArgKind::OutNumberInText, ArgKind::OutText, ArgKind::OutText,
                                                       ArgKind::OutLong};
static_assert(Thunk<&IGuiXmlModel::GetHeaderVarRef>::kKinds[3] == ArgKind::OutText);

// Parameter names, in the order of the interface.
constexpr const char16_t* kInitializeParams[] = {u"bstrDirectory", u"bstrXMLFile", u"bstrXMLLocalizedFile",
                                                 u"bstrLangID",    u"lFunctionID", u"lWndProgress"};
constexpr const char16_t* kGetLanguageParams[] = {u"pbstrLangID"};
constexpr const char16_t* kSetLanguageParams[] = {u"bstrLangID"};
constexpr const char16_t* kGetSupportedLanguagesParams[] = {u"pvarLanguages"};
constexpr const char16_t* kGetHelpFilePathParams[] = {u"lHelpFileType", u"pbstrHelpFilePath", u"pAnchorType"};
constexpr const char16_t* kGetTabModulesParams[] = {u"isTab", u"pvarModuleID"};
constexpr const char16_t* kGetModuleIconParams[] = {u"bstrModuleID", u"pbstrIconPath"};
constexpr const char16_t* kGetModuleRootMenusParams[] = {u"bstrModuleID", u"pvarRootMenus"};
constexpr const char16_t* kGetModuleTreeIconListParams[] = {u"bstrModuleID", u"pbstrIconList"};
constexpr const char16_t* kGetModuleInfoParams[] = {u"bstrModuleID", u"pbstrModuleName", u"pbstrIcon",
                                                    u"pbstrTreeIcons", u"pbstrHelpFilePath"};
constexpr const char16_t* kGetExternModulePathParams[] = {u"bstrModuleID", u"pbstrExternModulePath"};
constexpr const char16_t* kGetMenuItemsParams[] = {u"bstrModuleID", u"bstrMenuID", u"pvarItems"};
constexpr const char16_t* kGetDisplayItemsParams[] = {u"bstrModuleID", u"bstrDisplayID", u"pImagePath", u"pvarItems",
                                                      u"pbRWROCond"};
constexpr const char16_t* kGetDisplayInfoParams[] = {u"bstrModuleID", u"bstrDisplayID", u"pbstrLabel",
                                                     u"penDisplayType", u"pbstrValidId"};
constexpr const char16_t* kGetDisplayButtonNavParams[] = {
    u"bstrModuleID", u"bstrDisplayID", u"pbstrFirst", u"pbstrPrev", u"pbstrNext", u"pbstrLast", u"pbstrHome"};
constexpr const char16_t* kGetItemInfoParams[] = {
    u"bstrModuleID",        u"bstrParentMenuID", u"bstrItemID",     u"pbstrLabel",
    u"pIsConditionalLabel", u"pIconID",          u"pbstrDisplayID", u"penType"};
constexpr const char16_t* kGetLogoParams[] = {u"enLogoType", u"pvarLogos"};
constexpr const char16_t* kGetMetaVarRefParams[] = {u"pvarRefs"};
constexpr const char16_t* kGetParameterTypeParams[] = {u"bstrParameterID", u"enParType", u"penVarType",
                                                       u"penHandlingType"};
constexpr const char16_t* kGetParameterInfoParams[] = {
    u"bstrParameterID", u"bstrLabelRef",        u"bstrLegend",   u"enParType",      u"pbstrValue",
    u"pbstrLabel",      u"nIsConditionalLabel", u"pbstrToolTip", u"pbstrHelpTopic", u"pbstrHelpRef"};
constexpr const char16_t* kGetParameterDatatypeParams[] = {
    u"bstrParameterID",       u"enParType",    u"penVarType",   u"nSizeInBit",
    u"nConditionalAttribute", u"pbstrStorage", u"pbstrHandling"};
constexpr const char16_t* kGetParameterFormatParams[] = {u"bstrParameterID",      u"enParType",         u"pbstrFormat",
                                                         u"pbstrAlignment",       u"nDisplayCondition", u"pbstrStyle",
                                                         u"pbIsConditionalFormat"};
constexpr const char16_t* kGetParameterEnumItemsParams[] = {u"bstrParameterID", u"enParType", u"pEnumItems"};
constexpr const char16_t* kGetHeaderVarRefParams[] = {u"enMode",        u"bstrMapping",   u"pbstrParID", u"pbstrOrigin",
                                                      u"pbstrLabelRef", u"pbstrStatusID", u"pVarType"};
constexpr const char16_t* kGetParameterRefParams[] = {u"bstrParameterID", u"enParType", u"pbstrRef"};
constexpr const char16_t* kGetMenubarItemsParams[] = {u"pvarMenubarItems"};
constexpr const char16_t* kGetExternModuleParams[] = {u"bstrModuleID", u"pbstrExternModule", u"pbstrLabel",
                                                      u"pbstrInit"};
constexpr const char16_t* kGetModulebarItemsParams[] = {u"moduleID", u"pvarMenubarItems"};
constexpr const char16_t* kGetToolbarItemsParams[] = {u"pvarMenubarItems"};
constexpr const char16_t* kGetToolbarIconsListParams[] = {u"pbstrPath"};
constexpr const char16_t* kOnLanguageIDChangeParams[] = {u"bstrLangID", u"lWndProgress"};
constexpr const char16_t* kGetConditionalLabelDataParams[] = {u"bstrParameterID", u"pVarLabels"};
constexpr const char16_t* kGetModuleFeatureParams[] = {u"bstrModule", u"bstrFeatureName", u"pbstrFeatureValue"};
constexpr const char16_t* kGetFunctionIdIsOnlineParams[] = {u"online"};
constexpr const char16_t* kGetHeaderRefsParams[] = {u"bstrModule", u"strHeaderRefOffline", u"strHeaderRefOnline"};
constexpr const char16_t* kGetHeaderCtrlInfoParams[] = {u"enMode",    u"bstrMapping", u"pbstrID", u"pbstrProgID",
                                                        u"pbstrInit", u"plWidth",     u"plHeight"};
constexpr const char16_t* kGetGuiLabelParams[] = {u"bstrLabelID", u"pbstrLabelText"};
constexpr const char16_t* kSetSDKInitializationParams[] = {u"bstrSDKInitialization"};
constexpr const char16_t* kGetSDKInitializationParams[] = {u"pbstrSDKInitialization"};
constexpr const char16_t* kGetSDKInitHelpParams[] = {u"pbstrHelpApplication", u"pbstrHelpParameter"};
constexpr const char16_t* kParseInitStringParams[] = {u"bstrParameter", u"pbstrValue"};
constexpr const char16_t* kGetGlobalLabelParams[] = {u"bstrLabelID", u"pbstrLabelText"};

// One table entry; the parameter names must match the method's signature in number.
template <auto Method, size_t N>
constexpr MethodDesc Describe(DISPID id, const char16_t* name, const char16_t* help,
                              const char16_t* const (&parameters)[N],
                              std::span<const ArgKind> kinds = Thunk<Method>::kKinds) {
  static_assert(N == Thunk<Method>::kKinds.size(), "one name per parameter");
  return {id, name, help, parameters, kinds, &Thunk<Method>::Call};
}

constexpr MethodDesc kMethods[] = {
    Describe<&IGuiXmlModel::Initialize>(1, u"Initialize", u"method Initialize", kInitializeParams),
    Describe<&IGuiXmlModel::GetLanguage>(2, u"GetLanguage", u"method GetLanguage", kGetLanguageParams),
    Describe<&IGuiXmlModel::SetLanguage>(3, u"SetLanguage", u"method SetLanguage", kSetLanguageParams),
    Describe<&IGuiXmlModel::GetSupportedLanguages>(4, u"GetSupportedLanguages", u"method GetSupportedLanguages",
                                                   kGetSupportedLanguagesParams),
    Describe<&IGuiXmlModel::GetHelpFilePath>(5, u"GetHelpFilePath", u"method GetHelpFilePath", kGetHelpFilePathParams),
    Describe<&IGuiXmlModel::GetTabModules>(6, u"GetTabModules", u"method GetTabModules", kGetTabModulesParams),
    Describe<&IGuiXmlModel::GetModuleIcon>(7, u"GetModuleIcon", u"method GetModuleIcon", kGetModuleIconParams),
    Describe<&IGuiXmlModel::GetModuleRootMenus>(8, u"GetModuleRootMenus", u"method GetModuleRootMenus",
                                                kGetModuleRootMenusParams),
    Describe<&IGuiXmlModel::GetModuleTreeIconList>(9, u"GetModuleTreeIconList", u"method GetModuleTreeIconList",
                                                   kGetModuleTreeIconListParams),
    Describe<&IGuiXmlModel::GetModuleInfo>(10, u"GetModuleInfo", u"method GetModuleInfo", kGetModuleInfoParams),
    Describe<&IGuiXmlModel::GetExternModulePath>(11, u"GetExternModulePath", u"method GetExternModulePath",
                                                 kGetExternModulePathParams),
    Describe<&IGuiXmlModel::GetMenuItems>(12, u"GetMenuItems", u"method GetMenuItems", kGetMenuItemsParams),
    Describe<&IGuiXmlModel::GetDisplayItems>(13, u"GetDisplayItems", u"method GetDisplayItems", kGetDisplayItemsParams),
    Describe<&IGuiXmlModel::GetDisplayInfo>(14, u"GetDisplayInfo", u"method GetDisplayInfo", kGetDisplayInfoParams),
    Describe<&IGuiXmlModel::GetDisplayButtonNav>(15, u"GetDisplayButtonNav", u"method GetDisplayButtonNav",
                                                 kGetDisplayButtonNavParams),
    Describe<&IGuiXmlModel::GetItemInfo>(16, u"GetItemInfo", u"method GetItemInfo", kGetItemInfoParams),
    Describe<&IGuiXmlModel::GetLogo>(17, u"GetLogo", u"method GetLogo", kGetLogoParams),
    Describe<&IGuiXmlModel::GetMetaVarRef>(18, u"GetMetaVarRef", u"method GetMetaVarRef", kGetMetaVarRefParams),
    Describe<&IGuiXmlModel::GetParameterType>(19, u"GetParameterType", u"method GetParameterType",
                                              kGetParameterTypeParams),
    Describe<&IGuiXmlModel::GetParameterInfo>(20, u"GetParameterInfo", u"method GetParameterInfo",
                                              kGetParameterInfoParams),
    Describe<&IGuiXmlModel::GetParameterDatatype>(21, u"GetParameterDatatype", u"method GetParameterDatatype ",
                                                  kGetParameterDatatypeParams),
    Describe<&IGuiXmlModel::GetParameterFormat>(22, u"GetParameterFormat", u"method GetParameterFormat",
                                                kGetParameterFormatParams),
    Describe<&IGuiXmlModel::GetParameterEnumItems>(23, u"GetParameterEnumItems", u"method GetParameterEnumItems",
                                                   kGetParameterEnumItemsParams),
    Describe<&IGuiXmlModel::GetHeaderVarRef>(24, u"GetHeaderVarRef", u"method GetHeaderVarRef", kGetHeaderVarRefParams,
                                             kHeaderVarRefKinds),
    Describe<&IGuiXmlModel::GetParameterRef>(25, u"GetParameterRef", u"method GetParameterRef", kGetParameterRefParams),
    Describe<&IGuiXmlModel::GetMenubarItems>(26, u"GetMenubarItems", u"method GetMenubarItems", kGetMenubarItemsParams),
    Describe<&IGuiXmlModel::GetExternModule>(27, u"GetExternModule", u"method GetExternModule", kGetExternModuleParams),
    Describe<&IGuiXmlModel::GetModulebarItems>(28, u"GetModulebarItems", u"method GetModulebarItems",
                                               kGetModulebarItemsParams),
    Describe<&IGuiXmlModel::GetToolbarItems>(29, u"GetToolbarItems", u"method GetToolbarItems", kGetToolbarItemsParams),
    Describe<&IGuiXmlModel::GetToolbarIconsList>(30, u"GetToolbarIconsList", u"method GetToolbarIconsList",
                                                 kGetToolbarIconsListParams),
    Describe<&IGuiXmlModel::OnLanguageIDChange>(31, u"OnLanguageIDChange", u"method OnLanguageIDChange",
                                                kOnLanguageIDChangeParams),
    Describe<&IGuiXmlModel::GetConditionalLabelData>(32, u"GetConditionalLabelData", u"method GetConditionalLabelData",
                                                     kGetConditionalLabelDataParams),
    Describe<&IGuiXmlModel::GetModuleFeature>(33, u"GetModuleFeature", u"method GetModuleFeature",
                                              kGetModuleFeatureParams),
    Describe<&IGuiXmlModel::GetFunctionIdIsOnline>(34, u"GetFunctionIdIsOnline", u"method GetStatus",
                                                   kGetFunctionIdIsOnlineParams),
    Describe<&IGuiXmlModel::GetHeaderRefs>(35, u"GetHeaderRefs", u"method GetHeaderRefs", kGetHeaderRefsParams),
    Describe<&IGuiXmlModel::GetHeaderCtrlInfo>(36, u"GetHeaderCtrlInfo", u"method GetHeaderCtrlInfo",
                                               kGetHeaderCtrlInfoParams),
    Describe<&IGuiXmlModel::GetGuiLabel>(37, u"GetGuiLabel", u"method GetGuiLabel", kGetGuiLabelParams),
    Describe<&IGuiXmlModel::SetSDKInitialization>(38, u"SetSDKInitialization", u"method SetSDKInitialization",
                                                  kSetSDKInitializationParams),
    Describe<&IGuiXmlModel::GetSDKInitialization>(39, u"GetSDKInitialization", u"method GetSDKInitialization",
                                                  kGetSDKInitializationParams),
    Describe<&IGuiXmlModel::GetSDKInitHelp>(40, u"GetSDKInitHelp", u"method GetSDKInitHelp", kGetSDKInitHelpParams),
    Describe<&IGuiXmlModel::ParseInitString>(41, u"ParseInitString", u"method ParseInitString", kParseInitStringParams),
    Describe<&IGuiXmlModel::GetGlobalLabel>(42, u"GetGlobalLabel", u"method GetGlobalLabel", kGetGlobalLabelParams),
};

static_assert(std::size(kMethods) == 42);

// FindMethod indexes the table by identifier.
constexpr bool InIdentifierOrder() {
  for (size_t i = 0; i < std::size(kMethods); ++i) {
    if (kMethods[i].id != static_cast<DISPID>(i + 1)) return false;
  }
  return true;
}
static_assert(InIdentifierOrder());

}  // namespace

std::span<const MethodDesc> Methods() { return kMethods; }

const MethodDesc* FindMethod(DISPID id) {
  // The table is in identifier order, 1 to 42.
  if (id < 1 || id > static_cast<DISPID>(std::size(kMethods))) return nullptr;
  return &kMethods[id - 1];
}

HRESULT InvokeMethod(IGuiXmlModel* object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr) {
  if (!object || !params) return E_INVALIDARG;
  const MethodDesc* method = FindMethod(id);
  if (!method || !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  if (params->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
  if (params->cArgs != method->kinds.size()) return DISP_E_BADPARAMCOUNT;
  if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;

  try {
    DispatchArgs args;
    HRESULT hr = args.Load(*params, method->kinds, argErr);
    if (FAILED(hr)) return hr;
    if (result) VariantInit(result);
    hr = method->call(object, args);
    args.WriteBack();
    return hr;
  } catch (...) {
    return E_OUTOFMEMORY;  // the argument slots could not be allocated
  }
}

}  // namespace k42com
