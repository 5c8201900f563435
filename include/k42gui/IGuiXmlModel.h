// The automation interface IGuiXmlModel of the K42GuiXmlReader component, its enumerations and identifiers.
//
// A host (the display control of a DTM) reaches the object model of one
// device's GUI XML file only through this interface. It obtains the class
// object from the component library, creates a `GuiXmlModel` object, loads
// the files once with `Initialize`, and then asks the query methods as the
// user navigates:
//
//   IClassFactory* factory = nullptr;
//   HRESULT hr = DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory,
//                                  reinterpret_cast<void**>(&factory));
//   IGuiXmlModel* model = nullptr;
//   if (SUCCEEDED(hr)) {
//     hr = factory->CreateInstance(nullptr, IID_IGuiXmlModel, reinterpret_cast<void**>(&model));
//     factory->Release();
//   }
//   if (SUCCEEDED(hr)) {
//     BSTR dir = SysAllocString(u"/opt/device"), gui = SysAllocString(u"device.xml"),
//          loc = SysAllocString(u"device_loc.xml"), lang = SysAllocString(u"en");
//     if (model->Initialize(dir, gui, loc, lang, 1, 0) == S_OK) {
//       VARIANT modules;
//       VariantInit(&modules);
//       if (model->GetTabModules(1, &modules) == S_OK) {
//         // modules.parray: rows x 2 (module identifier, ModuleIntegration)
//       }
//       VariantClear(&modules);
//     }
//     SysFreeString(dir), SysFreeString(gui), SysFreeString(loc), SysFreeString(lang);
//     model->Release();
//   }
//
// Every method returns S_OK or S_FALSE; S_FALSE means that nothing was found
// or there is nothing to return. Output strings are new BSTRs that the
// caller frees; output arrays come as VT_ARRAY | VT_VARIANT with lower bound
// 0, two-dimensional ones indexed (row, column).
//
// Parameter types are those an IDL compiler generates for an automation
// interface: `BSTR` for input strings, `BSTR*` for output strings,
// `VARIANT*` for output arrays, `long`/`long*` for integers and flags, and
// the enumeration types below where the parameter name carries the `en`
// (input) or `pen` (output) prefix, plus `AnchorType*` for the anchor kind
// of `GetHelpFilePath`. The progress window handle `lWndProgress` is a
// `long` as in the type library. `long` is 64 bits wide on this platform, so
// a window handle fits; every other value the interface carries lies in the
// 32-bit range, and an enumeration is 32 bits wide.
//
// The methods are declared in dispatch-identifier order (1 to 42).
#pragma once

#include <k42gui/objbase.h>
#include <k42gui/oleauto.h>

// ---------------------------------------------------------------------------
// Enumerations of the type library

enum ModuleIntegration { kTAB = 0, kMENU = 1, kNONE = 2 };

enum AnchorType { kNO = 0, kEQTOID = 1, kEQTOHELPTOPIC = 2 };

enum HelpFileType { kHELPDTM = 0, kHELPUI = 1 };

enum HandlingType { kREADONLY = 0, kREADWRITE = 1, kWRITEONLY = 2, kCONDITIONAL = 3 };

enum MenuType { kPOPUP_BEGIN = 0, kPOPUP_END = 1, kMENUITEM = 2, kSEPARATOR = 3 };

enum ToolbarType { kTOOLBAR_BUTTON = 0, kTOOLBAR_SEP = 1, kTOOLBAR_CHECK = 2 };

enum ActionType { kDIALOGBOX = 0, kMODULE = 1, kFUNCTION = 2, kSETLANGUAGE = 3, kENUM = 4, kFUNCTIONONLINE = 5 };

enum ParType {
  PAR_UNKNOWN = 0,
  PAR_META = 1,
  PAR_VARIABLE = 2,
  PAR_METHODE = 3,
  PAR_MODULE = 4,
  PAR_IMAGE = 5,
  PAR_EMPTYELEMENT = 6,
  PAR_HEADLINE = 7
};

enum VarType {
  TYPE_UNKNOWN = 0,
  TYPE_DD_FLOAT = 1,
  TYPE_DD_DOUBLE = 2,
  TYPE_DD_INT8 = 3,
  TYPE_DD_INT16 = 4,
  TYPE_DD_INT24 = 5,
  TYPE_DD_INT32 = 6,
  TYPE_DD_UINT8 = 7,
  TYPE_DD_UINT16 = 8,
  TYPE_DD_UINT24 = 9,
  TYPE_DD_UINT32 = 10,
  TYPE_DD_ULONG = 11,
  TYPE_DD_ENUM8 = 12,
  TYPE_DD_ENUM16 = 13,
  TYPE_DD_ENUM24 = 14,
  TYPE_DD_ENUM32 = 15,
  TYPE_DD_BIT_ENUM8 = 16,
  TYPE_DD_BIT_ENUM16 = 17,
  TYPE_DD_BIT_ENUM24 = 18,
  TYPE_DD_BIT_ENUM32 = 19,
  TYPE_DD_DATE = 20,
  TYPE_DD_TIME = 21,
  TYPE_DD_DATETIME = 22,
  TYPE_DD_TIMEVALUE = 23,
  TYPE_DD_INDEX = 24,
  TYPE_DD_BITSTRING = 25,
  TYPE_DD_VISIBLE_STR = 26,
  TYPE_DD_VISIBLE_STR_PACKED = 27,
  TYPE_DD_BUTTON = 28,
  TYPE_DD_IMAGE = 29,
  TYPE_DD_MODULE = 30,
  TYPE_DD_EMPTYFIELD = 31,
  TYPE_DD_NEWCOLUMN = 32,
  TYPE_DD_NOTUNIQUE = 33,
  TYPE_DD_INT8_FP = 34,
  TYPE_DD_INT16_FP = 35,
  TYPE_DD_INT24_FP = 36,
  TYPE_DD_INT32_FP = 37,
  TYPE_DD_UINT8_FP = 38,
  TYPE_DD_UINT16_FP = 39,
  TYPE_DD_UINT24_FP = 40,
  TYPE_DD_UINT32_FP = 41,
  TYPE_DD_PASSWORD = 42,
  TYPE_DD_DURATION = 43
};

enum ControlStyle {
  CTRL_UNKNOWN = 0,
  CTRL_VAR_EDIT = 1,
  CTRL_VAR_STATIC = 2,
  CTRL_VAR_RADIO = 3,
  CTRL_VAR_CHECKBOX = 4,
  CTRL_VAR_LIST = 5,
  CTRL_VAR_COMBO = 6,
  CTRL_MET_BUTTON = 7,
  CTRL_EMPTYFIELD = 8,
  CTRL_NEWCOLUMN = 9,
  CTRL_MOD_BUTTON = 10,
  CTRL_VAR_LED = 11,
  CTRL_VAR_HEADLINE = 12
};

enum MenuItem { UNKNOWN = 0, ROOTMENU = 1, MENU = 2, VARIABLE = 3, METHOD = 4, MODULE = 5, EDITDISPLAY = 6 };

enum LogoType { LOGO_VENDOR = 0, LOGO_DEVICE = 1 };

enum ItemType {
  ITEM_UNKNOWN = 0,
  ITEM_ROOTMENU = 1,
  ITEM_MENU = 2,
  ITEM_VARIABLE = 3,
  ITEM_METHOD = 4,
  ITEM_MODULE = 5,
  ITEM_EDITDISPLAY = 6,
  ITEM_IMAGE = 7,
  ITEM_NEWCOLUMN = 8
};

enum DisplayType { DISPLAY_CUSTOM = 0, DISPLAY_SINGLE_MODULE = 1, DISPLAY_UNKNOWN = 2 };

enum IconID {
  ICON_DEFAULT = -1,
  ICON_ROOTMENU = 0,
  ICON_MENU = 1,
  ICON_VARIABLE = 2,
  ICON_METHOD = 3,
  ICON_MODULE = 4,
  ICON_EDITDISPLAY = 5,
  ICON_ROOTMENUEXPANDED = 6,
  ICON_MENUEXPANDED = 7,
  ICON_UNKNOWN = 65535
};

enum Mode { MODE_GENERAL = 0, MODE_ONLINE = 1, MODE_OFFLINE = 2 };

enum HeaderVarType {
  HEADERVARTYPE_UNDEF = 0,
  HEADERVARTYPE_STATIC = 1,
  HEADERVARTYPE_LED = 2,
  HEADERVARTYPE_LED_HANDLING = 3,
  HEADERVARTYPE_MODULE = 4
};

enum DisplayCondition { kDISPLAYALWAYS = 0, kDISPLAYREADONLY = 1, kDISPLAYNOTZERO = 2, kDISPLAYOFFLINE = 3 };

// Window messages shared with the host. The component itself sends only
// PBM_EH_SETRANGE, PBM_EH_SETSTEP and PBM_EH_STEPIT to the progress window.
enum EH_MESSAGES {
  WM_DISPLAYMODULE = 1225,
  WM_LANGUAGECHANGED = 1226,
  WM_DISPLAYDIALOG = 1227,
  WM_CALLFUNCTION = 1228,
  WM_EH_SETFOCUS = 1229,
  WM_EH_ACCELERATOR = 1230,
  PBM_EH_SETRANGE = 1231,
  PBM_EH_SETPOS = 1232,
  PBM_EH_DELTAPOS = 1233,
  PBM_EH_SETSTEP = 1234,
  PBM_EH_STEPIT = 1235,
  WM_SETLANGUAGE = 1236,
  WM_EH_KILLFOCUS = 1237,
  WM_MENUHEIGHTCHANGED = 1238,
  WM_EH_SAVELASTACTIVEWND = 1239
};

static_assert(sizeof(VarType) == 4 && sizeof(IconID) == 4 && sizeof(EH_MESSAGES) == 4,
              "type-library enumerations are 32-bit values");

// ---------------------------------------------------------------------------
// Identifiers, fixed for the life of the interface

// {3A555CD6-5570-496E-9DA9-739C629B88C1}
inline constexpr CLSID CLSID_GuiXmlModel = {
    0x3A555CD6, 0x5570, 0x496E, {0x9D, 0xA9, 0x73, 0x9C, 0x62, 0x9B, 0x88, 0xC1}};
// {8B0204EA-9862-4268-A3D4-7358798F1EA6}
inline constexpr IID IID_IGuiXmlModel = {0x8B0204EA, 0x9862, 0x4268, {0xA3, 0xD4, 0x73, 0x58, 0x79, 0x8F, 0x1E, 0xA6}};
// {0BDB543F-4E42-4043-89D8-62773A423B33}, version 1.0
inline constexpr GUID LIBID_K42GUIXMLREADERLib = {
    0x0BDB543F, 0x4E42, 0x4043, {0x89, 0xD8, 0x62, 0x77, 0x3A, 0x42, 0x3B, 0x33}};

// ---------------------------------------------------------------------------
// The interface (dual: these methods and IDispatch)

struct IGuiXmlModel : public IDispatch {
  /* 1 */ virtual HRESULT STDMETHODCALLTYPE Initialize(BSTR bstrDirectory, BSTR bstrXMLFile, BSTR bstrXMLLocalizedFile,
                                                       BSTR bstrLangID, long lFunctionID, long lWndProgress) = 0;
  /* 2 */ virtual HRESULT STDMETHODCALLTYPE GetLanguage(BSTR* pbstrLangID) = 0;
  /* 3 */ virtual HRESULT STDMETHODCALLTYPE SetLanguage(BSTR bstrLangID) = 0;
  /* 4 */ virtual HRESULT STDMETHODCALLTYPE GetSupportedLanguages(VARIANT* pvarLanguages) = 0;
  /* 5 */ virtual HRESULT STDMETHODCALLTYPE GetHelpFilePath(long lHelpFileType, BSTR* pbstrHelpFilePath,
                                                            AnchorType* pAnchorType) = 0;
  /* 6 */ virtual HRESULT STDMETHODCALLTYPE GetTabModules(long isTab, VARIANT* pvarModuleID) = 0;
  /* 7 */ virtual HRESULT STDMETHODCALLTYPE GetModuleIcon(BSTR bstrModuleID, BSTR* pbstrIconPath) = 0;
  /* 8 */ virtual HRESULT STDMETHODCALLTYPE GetModuleRootMenus(BSTR bstrModuleID, VARIANT* pvarRootMenus) = 0;
  /* 9 */ virtual HRESULT STDMETHODCALLTYPE GetModuleTreeIconList(BSTR bstrModuleID, BSTR* pbstrIconList) = 0;
  /* 10 */ virtual HRESULT STDMETHODCALLTYPE GetModuleInfo(BSTR bstrModuleID, BSTR* pbstrModuleName, BSTR* pbstrIcon,
                                                           BSTR* pbstrTreeIcons, BSTR* pbstrHelpFilePath) = 0;
  /* 11 */ virtual HRESULT STDMETHODCALLTYPE GetExternModulePath(BSTR bstrModuleID, BSTR* pbstrExternModulePath) = 0;
  /* 12 */ virtual HRESULT STDMETHODCALLTYPE GetMenuItems(BSTR bstrModuleID, BSTR bstrMenuID, VARIANT* pvarItems) = 0;
  /* 13 */ virtual HRESULT STDMETHODCALLTYPE GetDisplayItems(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pImagePath,
                                                             VARIANT* pvarItems, long* pbRWROCond) = 0;
  /* 14 */ virtual HRESULT STDMETHODCALLTYPE GetDisplayInfo(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pbstrLabel,
                                                            DisplayType* penDisplayType, BSTR* pbstrValidId) = 0;
  /* 15 */ virtual HRESULT STDMETHODCALLTYPE GetDisplayButtonNav(BSTR bstrModuleID, BSTR bstrDisplayID,
                                                                 BSTR* pbstrFirst, BSTR* pbstrPrev, BSTR* pbstrNext,
                                                                 BSTR* pbstrLast, BSTR* pbstrHome) = 0;
  /* 16 */ virtual HRESULT STDMETHODCALLTYPE GetItemInfo(BSTR bstrModuleID, BSTR bstrParentMenuID, BSTR bstrItemID,
                                                         BSTR* pbstrLabel, long* pIsConditionalLabel, long* pIconID,
                                                         BSTR* pbstrDisplayID, ItemType* penType) = 0;
  /* 17 */ virtual HRESULT STDMETHODCALLTYPE GetLogo(LogoType enLogoType, VARIANT* pvarLogos) = 0;
  /* 18 */ virtual HRESULT STDMETHODCALLTYPE GetMetaVarRef(VARIANT* pvarRefs) = 0;
  /* 19 */ virtual HRESULT STDMETHODCALLTYPE GetParameterType(BSTR bstrParameterID, ParType enParType,
                                                              VarType* penVarType, HandlingType* penHandlingType) = 0;
  /* 20 */ virtual HRESULT STDMETHODCALLTYPE GetParameterInfo(BSTR bstrParameterID, BSTR bstrLabelRef, BSTR bstrLegend,
                                                              ParType enParType, BSTR* pbstrValue, BSTR* pbstrLabel,
                                                              long* nIsConditionalLabel, BSTR* pbstrToolTip,
                                                              BSTR* pbstrHelpTopic, BSTR* pbstrHelpRef) = 0;
  /* 21 */ virtual HRESULT STDMETHODCALLTYPE GetParameterDatatype(BSTR bstrParameterID, ParType enParType,
                                                                  VarType* penVarType, long* nSizeInBit,
                                                                  long* nConditionalAttribute, BSTR* pbstrStorage,
                                                                  BSTR* pbstrHandling) = 0;
  /* 22 */ virtual HRESULT STDMETHODCALLTYPE GetParameterFormat(BSTR bstrParameterID, ParType enParType,
                                                                BSTR* pbstrFormat, BSTR* pbstrAlignment,
                                                                long* nDisplayCondition, BSTR* pbstrStyle,
                                                                long* pbIsConditionalFormat) = 0;
  /* 23 */ virtual HRESULT STDMETHODCALLTYPE GetParameterEnumItems(BSTR bstrParameterID, ParType enParType,
                                                                   VARIANT* pEnumItems) = 0;
  /* 24 */ virtual HRESULT STDMETHODCALLTYPE GetHeaderVarRef(Mode enMode, BSTR bstrMapping, BSTR* pbstrParID,
                                                             BSTR* pbstrOrigin, BSTR* pbstrLabelRef,
                                                             BSTR* pbstrStatusID, long* pVarType) = 0;
  /* 25 */ virtual HRESULT STDMETHODCALLTYPE GetParameterRef(BSTR bstrParameterID, ParType enParType,
                                                             BSTR* pbstrRef) = 0;
  /* 26 */ virtual HRESULT STDMETHODCALLTYPE GetMenubarItems(VARIANT* pvarMenubarItems) = 0;
  /* 27 */ virtual HRESULT STDMETHODCALLTYPE GetExternModule(BSTR bstrModuleID, BSTR* pbstrExternModule,
                                                             BSTR* pbstrLabel, BSTR* pbstrInit) = 0;
  /* 28 */ virtual HRESULT STDMETHODCALLTYPE GetModulebarItems(BSTR moduleID, VARIANT* pvarMenubarItems) = 0;
  /* 29 */ virtual HRESULT STDMETHODCALLTYPE GetToolbarItems(VARIANT* pvarMenubarItems) = 0;
  /* 30 */ virtual HRESULT STDMETHODCALLTYPE GetToolbarIconsList(BSTR* pbstrPath) = 0;
  /* 31 */ virtual HRESULT STDMETHODCALLTYPE OnLanguageIDChange(BSTR bstrLangID, long lWndProgress) = 0;
  /* 32 */ virtual HRESULT STDMETHODCALLTYPE GetConditionalLabelData(BSTR bstrParameterID, VARIANT* pVarLabels) = 0;
  /* 33 */ virtual HRESULT STDMETHODCALLTYPE GetModuleFeature(BSTR bstrModule, BSTR bstrFeatureName,
                                                              BSTR* pbstrFeatureValue) = 0;
  /* 34 */ virtual HRESULT STDMETHODCALLTYPE GetFunctionIdIsOnline(long* online) = 0;
  /* 35 */ virtual HRESULT STDMETHODCALLTYPE GetHeaderRefs(BSTR bstrModule, BSTR* strHeaderRefOffline,
                                                           BSTR* strHeaderRefOnline) = 0;
  /* 36 */ virtual HRESULT STDMETHODCALLTYPE GetHeaderCtrlInfo(Mode enMode, BSTR bstrMapping, BSTR* pbstrID,
                                                               BSTR* pbstrProgID, BSTR* pbstrInit, long* plWidth,
                                                               long* plHeight) = 0;
  /* 37 */ virtual HRESULT STDMETHODCALLTYPE GetGuiLabel(BSTR bstrLabelID, BSTR* pbstrLabelText) = 0;
  /* 38 */ virtual HRESULT STDMETHODCALLTYPE SetSDKInitialization(BSTR bstrSDKInitialization) = 0;
  /* 39 */ virtual HRESULT STDMETHODCALLTYPE GetSDKInitialization(BSTR* pbstrSDKInitialization) = 0;
  /* 40 */ virtual HRESULT STDMETHODCALLTYPE GetSDKInitHelp(BSTR* pbstrHelpApplication, BSTR* pbstrHelpParameter) = 0;
  /* 41 */ virtual HRESULT STDMETHODCALLTYPE ParseInitString(BSTR bstrParameter, BSTR* pbstrValue) = 0;
  /* 42 */ virtual HRESULT STDMETHODCALLTYPE GetGlobalLabel(BSTR bstrLabelID, BSTR* pbstrLabelText) = 0;
};

// ---------------------------------------------------------------------------
// Exports of the component library

#if defined(_WIN32)
#define K42GUI_EXPORT
#else
#define K42GUI_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
// Hands out the class object of GuiXmlModel (an IClassFactory);
// CLASS_E_CLASSNOTAVAILABLE for any other class.
K42GUI_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
// Always S_FALSE: the library is never unloaded by a runtime's cleanup.
K42GUI_EXPORT HRESULT DllCanUnloadNow();
// Writes the class, its ProgIDs and the type library to the registry.
K42GUI_EXPORT HRESULT DllRegisterServer();
// Removes what DllRegisterServer wrote.
K42GUI_EXPORT HRESULT DllUnregisterServer();
}
