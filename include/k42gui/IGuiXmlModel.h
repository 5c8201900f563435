// The interface IGuiXmlModel with the contract of each method, its enumerations and identifiers.
//
// A host (the display control of a DTM) reaches the object model of one
// device's GUI XML file only through this interface. It obtains the class
// object from the component library, creates a `GuiXmlModel` object, loads
// the files once with `Initialize`, and then asks the query methods as the
// user navigates (a complete example opens <k42gui/AutoPtr.h>, whose owning
// wrappers free every string, array and reference a host receives).
//
// Rules for every method:
// - The result is S_OK or S_FALSE, nothing else; S_FALSE means that nothing
//   was found or there is nothing to return (also after an exhausted heap).
// - Input strings: a null BSTR is the empty text. A text ends at its first
//   NUL, so a plain NUL-terminated string may stand in for a BSTR.
//   Identifiers are compared exactly (case-sensitive, no trimming).
// - Output strings are new BSTRs that the caller frees with SysFreeString;
//   an empty text arrives as an empty BSTR, not null. As for any [out]
//   parameter, what the variable held before is overwritten, not freed.
// - Each method below says which outputs it writes on which result: "always"
//   (whatever the result), "on S_OK", or left untouched. "Set to null" means
//   that the BSTR variable receives null (its old value is not freed).
// - A null output pointer is never written through: that output is skipped
//   and the result is the same, except that a null array output gives
//   S_FALSE (the array is the whole answer).
// - "Model's value": the component writes an integer output only when the
//   model sets it; otherwise the caller's value stays. Initialize such
//   variables before the call.
// - Arrays arrive in a VARIANT of type VT_ARRAY | VT_VARIANT holding a
//   SAFEARRAY with lower bound 0 in every dimension. A two-dimensional array
//   is created with the bounds (rows, columns) and indexed (row, column). The
//   cells are VT_BSTR, VT_I4 or VT_BOOL (VARIANT_TRUE / VARIANT_FALSE) as the
//   method lists. Without rows the VARIANT is left untouched and the result
//   is S_FALSE (GetLogo excepted). A cell that
//   could not be stored stays VT_EMPTY and makes the result S_FALSE. The
//   previous content of the VARIANT is overwritten, not cleared.
// - "Directory in front": a file reference of the GUI XML file prefixed with
//   Initialize's `bstrDirectory`, to which a separator is added unless it
//   ends with one ('/' if it contains one, else '\'); an empty reference
//   stays empty.
//
// Parameter types are those an IDL compiler generates for an automation
// interface: `BSTR` for input strings, `BSTR*` for output strings,
// `VARIANT*` for output arrays, `long`/`long*` for integers and flags, and
// the enumeration types below where the parameter name carries the `en`
// (input) or `pen` (output) prefix, plus `AnchorType*` for the anchor kind
// of `GetHelpFilePath`. The progress window handle `lWndProgress` is a
// `long` as in the type library. `long` is 64 bits wide on this platform, so
// a window handle fits; every other value the interface carries lies in the
// 32-bit range, and an enumeration is 32 bits wide: each has int32_t as its
// underlying type, so any 32-bit value a caller passes (a script may pass
// anything) is a valid value of the type, and the method answers it as unknown.
//
// The methods are declared in dispatch-identifier order (1 to 42).
#pragma once

#include <cstdint>

#include <k42gui/objbase.h>
#include <k42gui/oleauto.h>

// ---------------------------------------------------------------------------
// Enumerations of the type library

enum ModuleIntegration : int32_t { kTAB = 0, kMENU = 1, kNONE = 2 };

enum AnchorType : int32_t { kNO = 0, kEQTOID = 1, kEQTOHELPTOPIC = 2 };

enum HelpFileType : int32_t { kHELPDTM = 0, kHELPUI = 1 };

enum HandlingType : int32_t { kREADONLY = 0, kREADWRITE = 1, kWRITEONLY = 2, kCONDITIONAL = 3 };

enum MenuType : int32_t { kPOPUP_BEGIN = 0, kPOPUP_END = 1, kMENUITEM = 2, kSEPARATOR = 3 };

enum ToolbarType : int32_t { kTOOLBAR_BUTTON = 0, kTOOLBAR_SEP = 1, kTOOLBAR_CHECK = 2 };

enum ActionType : int32_t {
  kDIALOGBOX = 0,
  kMODULE = 1,
  kFUNCTION = 2,
  kSETLANGUAGE = 3,
  kENUM = 4,
  kFUNCTIONONLINE = 5
};

enum ParType : int32_t {
  PAR_UNKNOWN = 0,
  PAR_META = 1,
  PAR_VARIABLE = 2,
  PAR_METHODE = 3,
  PAR_MODULE = 4,
  PAR_IMAGE = 5,
  PAR_EMPTYELEMENT = 6,
  PAR_HEADLINE = 7
};

enum VarType : int32_t {
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

enum ControlStyle : int32_t {
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

enum MenuItem : int32_t { UNKNOWN = 0, ROOTMENU = 1, MENU = 2, VARIABLE = 3, METHOD = 4, MODULE = 5, EDITDISPLAY = 6 };

enum LogoType : int32_t { LOGO_VENDOR = 0, LOGO_DEVICE = 1 };

enum ItemType : int32_t {
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

enum DisplayType : int32_t { DISPLAY_CUSTOM = 0, DISPLAY_SINGLE_MODULE = 1, DISPLAY_UNKNOWN = 2 };

enum IconID : int32_t {
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

enum Mode : int32_t { MODE_GENERAL = 0, MODE_ONLINE = 1, MODE_OFFLINE = 2 };

enum HeaderVarType : int32_t {
  HEADERVARTYPE_UNDEF = 0,
  HEADERVARTYPE_STATIC = 1,
  HEADERVARTYPE_LED = 2,
  HEADERVARTYPE_LED_HANDLING = 3,
  HEADERVARTYPE_MODULE = 4
};

enum DisplayCondition : int32_t { kDISPLAYALWAYS = 0, kDISPLAYREADONLY = 1, kDISPLAYNOTZERO = 2, kDISPLAYOFFLINE = 3 };

// Window messages shared with the host. The component itself sends only
// PBM_EH_SETRANGE, PBM_EH_SETSTEP and PBM_EH_STEPIT to the progress window.
enum EH_MESSAGES : int32_t {
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
  // Loads `bstrDirectory + bstrXMLFile` (validated against its schema), then the
  // localized file `bstrDirectory + bstrXMLLocalizedFile` with the texts of
  // `bstrLangID` (here the directory is used exactly as given). `lFunctionID`
  // selects the function identifier: which modules exist, and whether the device
  // is online. `lWndProgress` (0: none) receives PBM_EH_SETRANGE, PBM_EH_SETSTEP
  // and PBM_EH_STEPIT. S_OK when everything was read; S_FALSE when a file cannot
  // be read or is invalid, or a section failed (what was read before stays).
  /* 1 */ virtual HRESULT STDMETHODCALLTYPE Initialize(BSTR bstrDirectory, BSTR bstrXMLFile, BSTR bstrXMLLocalizedFile,
                                                       BSTR bstrLangID, long lFunctionID, long lWndProgress) = 0;

  // The current language identifier, always. Always S_OK.
  /* 2 */ virtual HRESULT STDMETHODCALLTYPE GetLanguage(BSTR* pbstrLangID) = 0;

  // Stores the language identifier only: the texts stay until OnLanguageIDChange reads them. Always S_OK.
  /* 3 */ virtual HRESULT STDMETHODCALLTYPE SetLanguage(BSTR bstrLangID) = 0;

  // Rows x 2, ascending by identifier: 0 language identifier (BSTR), 1 its
  // local name (BSTR). S_FALSE when the device lists no languages.
  /* 4 */ virtual HRESULT STDMETHODCALLTYPE GetSupportedLanguages(VARIANT* pvarLanguages) = 0;

  // `lHelpFileType` is kHELPDTM or kHELPUI. The path is always written: the
  // device's help file of that type (directory in front; an http:// or https://
  // URL as it stands) if it can be opened, else the default device help next to
  // the component library ("default_device_help_<language>.pdf", then
  // "default_device_help_en.pdf"), else empty. The anchor kind is the device's,
  // kNO for a default help file. S_OK when the device names a help file of that
  // type, even if the default one is handed out.
  /* 5 */ virtual HRESULT STDMETHODCALLTYPE GetHelpFilePath(long lHelpFileType, BSTR* pbstrHelpFilePath,
                                                            AnchorType* pAnchorType) = 0;

  // `isTab` non-zero: the modules integrated as tabs (kTAB); zero: all the
  // others. Rows x 2 in file order: 0 module identifier (BSTR), 1 its
  // ModuleIntegration (I4). S_FALSE when no module matches.
  /* 6 */ virtual HRESULT STDMETHODCALLTYPE GetTabModules(long isTab, VARIANT* pvarModuleID) = 0;

  // Known module: the output is set to null, then gets the icon path
  // (directory in front) if there is one. S_OK only with a path; an unknown
  // module leaves the output untouched.
  /* 7 */ virtual HRESULT STDMETHODCALLTYPE GetModuleIcon(BSTR bstrModuleID, BSTR* pbstrIconPath) = 0;

  // One dimension: the reference (BSTR) of each root entry of the module's
  // navigation tree. S_FALSE for an unknown module or one without root entries.
  /* 8 */ virtual HRESULT STDMETHODCALLTYPE GetModuleRootMenus(BSTR bstrModuleID, VARIANT* pvarRootMenus) = 0;

  // The tree image list (directory in front), written only with S_OK: the
  // module is known and has one.
  /* 9 */ virtual HRESULT STDMETHODCALLTYPE GetModuleTreeIconList(BSTR bstrModuleID, BSTR* pbstrIconList) = 0;

  // On S_OK (known module): name, icon, tree image list and help file path;
  // the three paths with the directory in front. Otherwise all untouched.
  /* 10 */ virtual HRESULT STDMETHODCALLTYPE GetModuleInfo(BSTR bstrModuleID, BSTR* pbstrModuleName, BSTR* pbstrIcon,
                                                           BSTR* pbstrTreeIcons, BSTR* pbstrHelpFilePath) = 0;

  // The linked module's file (directory in front), written only with S_OK:
  // the module is known and links one.
  /* 11 */ virtual HRESULT STDMETHODCALLTYPE GetExternModulePath(BSTR bstrModuleID, BSTR* pbstrExternModulePath) = 0;

  // Rows x 2, one row per entry of the menu in file order: 0 reference
  // (BSTR), 1 display reference (BSTR, empty when the entry names no display).
  // S_FALSE for an unknown module or menu, or an empty menu.
  /* 12 */ virtual HRESULT STDMETHODCALLTYPE GetMenuItems(BSTR bstrModuleID, BSTR bstrMenuID, VARIANT* pvarItems) = 0;

  // The image path is always written (empty for an unknown display). The
  // read/write-condition flag is the model's value: 1 when a menu naming the
  // display carries a read/write condition, else 0; untouched for an unknown
  // display. Rows x 15, one row per display item in layout order: 0 reference
  // (BSTR), 1 label reference (BSTR), 2 legend (BSTR), 3 DisplayCondition (I4),
  // 4 alignment (BSTR), 5 format (BSTR), 6 ParType (I4), 7 ControlStyle (I4),
  // 8 font name (BSTR), 9 normal colour (I4), 10 visited colour (I4), 11 height
  // (I4), 12 weight or width (I4), 13 italic (BOOL), 14 underline (BOOL).
  // S_OK when the display has items. A display is looked for in the first module
  // of that identifier, then in later modules of the same identifier.
  /* 13 */ virtual HRESULT STDMETHODCALLTYPE GetDisplayItems(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pImagePath,
                                                             VARIANT* pvarItems, long* pbRWROCond) = 0;

  // On S_OK (display found in the first module of that identifier): label
  // and validity identifier. The display type is the model's value.
  /* 14 */ virtual HRESULT STDMETHODCALLTYPE GetDisplayInfo(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pbstrLabel,
                                                            DisplayType* penDisplayType, BSTR* pbstrValidId) = 0;

  // On S_OK (display found): the targets of the five navigation buttons,
  // empty where the display names none.
  /* 15 */ virtual HRESULT STDMETHODCALLTYPE GetDisplayButtonNav(BSTR bstrModuleID, BSTR bstrDisplayID,
                                                                 BSTR* pbstrFirst, BSTR* pbstrPrev, BSTR* pbstrNext,
                                                                 BSTR* pbstrLast, BSTR* pbstrHome) = 0;

  // The entry `bstrItemID` of the menu `bstrParentMenuID` ("" for a root
  // entry). On S_OK: label (empty for a conditional label), display identifier,
  // conditional-label flag (1 or 0) and icon number: the entry's image list
  // index read as a leading decimal integer (0 when it has no digits),
  // ICON_DEFAULT (-1) without an index. The item type is the model's value and
  // may be written with S_FALSE too (an unknown menu, a module entry naming no
  // module); an entry the menu lacks keeps the caller's type and is answered as
  // an item of that type.
  /* 16 */ virtual HRESULT STDMETHODCALLTYPE GetItemInfo(BSTR bstrModuleID, BSTR bstrParentMenuID, BSTR bstrItemID,
                                                         BSTR* pbstrLabel, long* pIsConditionalLabel, long* pIconID,
                                                         BSTR* pbstrDisplayID, ItemType* penType) = 0;

  // One dimension: the path (BSTR, directory in front) of every logo of that
  // type in file order, possibly none (then zero elements and S_OK). S_FALSE
  // when the device has no logos at all.
  /* 17 */ virtual HRESULT STDMETHODCALLTYPE GetLogo(LogoType enLogoType, VARIANT* pvarLogos) = 0;

  // One dimension: the identifiers (BSTR) of the metavariables in file order.
  // S_FALSE when there are none.
  /* 18 */ virtual HRESULT STDMETHODCALLTYPE GetMetaVarRef(VARIANT* pvarRefs) = 0;

  // Variable type and handling are the model's values: a variable or
  // metavariable of unknown type answers S_FALSE with its handling, a method
  // (PAR_METHODE) always S_FALSE with its handling and no type. S_OK for a
  // variable or metavariable of known type.
  /* 19 */ virtual HRESULT STDMETHODCALLTYPE GetParameterType(BSTR bstrParameterID, ParType enParType,
                                                              VarType* penVarType, HandlingType* penHandlingType) = 0;

  // All six outputs are always written; texts the model does not give are
  // empty, the conditional-label flag 0. `bstrLabelRef`: a declared label whose
  // text replaces a variable's label. With a non-empty `bstrLegend` the label
  // output is the legend, a blank and the label. S_OK when the element exists
  // for `enParType` (a `bstrLabelRef` naming nothing gives S_FALSE).
  /* 20 */ virtual HRESULT STDMETHODCALLTYPE GetParameterInfo(BSTR bstrParameterID, BSTR bstrLabelRef, BSTR bstrLegend,
                                                              ParType enParType, BSTR* pbstrValue, BSTR* pbstrLabel,
                                                              long* nIsConditionalLabel, BSTR* pbstrToolTip,
                                                              BSTR* pbstrHelpTopic, BSTR* pbstrHelpRef) = 0;

  // The variable type, size in bits and conditional attribute are first set
  // to 0, then get the model's values. Storage ("STATIC", "DYNAMIC",
  // "CONSTANT") and handling ("READONLY", "READWRITE", "WRITEONLY") are always
  // written, empty when unknown. S_OK for a variable or metavariable of known
  // type whose handling has a text (conditional handling has none).
  /* 21 */ virtual HRESULT STDMETHODCALLTYPE GetParameterDatatype(BSTR bstrParameterID, ParType enParType,
                                                                  VarType* penVarType, long* nSizeInBit,
                                                                  long* nConditionalAttribute, BSTR* pbstrStorage,
                                                                  BSTR* pbstrHandling) = 0;

  // Format, alignment and style texts, display condition (a DisplayCondition)
  // and conditional-format flag are always written: the values of the variable
  // (PAR_VARIABLE) or metavariable (PAR_META; its flag is 0), else empty texts
  // and 0. S_OK when it exists.
  /* 22 */ virtual HRESULT STDMETHODCALLTYPE GetParameterFormat(BSTR bstrParameterID, ParType enParType,
                                                                BSTR* pbstrFormat, BSTR* pbstrAlignment,
                                                                long* nDisplayCondition, BSTR* pbstrStyle,
                                                                long* pbIsConditionalFormat) = 0;

  // Rows x 4, one row per enumeration item of the variable: 0 label (BSTR),
  // 1 legend (BSTR), 2 DD string (BSTR), 3 value (I4). `enParType` is not
  // looked at. S_FALSE when the variable is unknown or has no items.
  /* 23 */ virtual HRESULT STDMETHODCALLTYPE GetParameterEnumItems(BSTR bstrParameterID, ParType enParType,
                                                                   VARIANT* pEnumItems) = 0;

  // The header record of `bstrMapping` for the mode (any value other than
  // MODE_ONLINE and MODE_OFFLINE means MODE_GENERAL). On S_OK: parameter
  // identifier, origin, label reference (always empty), status identifier and
  // HeaderVarType. The origin is not a string: the BSTR variable receives a
  // ParType number (read it as reinterpret_cast<intptr_t>(origin)) and must not
  // be freed.
  /* 24 */ virtual HRESULT STDMETHODCALLTYPE GetHeaderVarRef(Mode enMode, BSTR bstrMapping, BSTR* pbstrParID,
                                                             BSTR* pbstrOrigin, BSTR* pbstrLabelRef,
                                                             BSTR* pbstrStatusID, long* pVarType) = 0;

  // The first file reference of an image (PAR_IMAGE only), directory in front;
  // always written (empty when not found). S_OK when the image exists.
  /* 25 */ virtual HRESULT STDMETHODCALLTYPE GetParameterRef(BSTR bstrParameterID, ParType enParType,
                                                             BSTR* pbstrRef) = 0;

  // Rows x 6, one row per item of the device's menu bar, flat in file order
  // (kPOPUP_BEGIN / kPOPUP_END rows bracket a submenu): 0 label (BSTR),
  // 1 MenuType (I4), 2 ActionType (I4), 3 action (BSTR), 4 menu identifier
  // (BSTR), 5 variable identifier (BSTR).
  /* 26 */ virtual HRESULT STDMETHODCALLTYPE GetMenubarItems(VARIANT* pvarMenubarItems) = 0;

  // Known module: the link reference (as in the file, no directory), label
  // and initialization text, each written only when not empty. S_OK when at
  // least one of them is.
  /* 27 */ virtual HRESULT STDMETHODCALLTYPE GetExternModule(BSTR bstrModuleID, BSTR* pbstrExternModule,
                                                             BSTR* pbstrLabel, BSTR* pbstrInit) = 0;

  // Rows x 4, the menu bar of the first module of that identifier, as in
  // GetMenubarItems: 0 label (BSTR), 1 MenuType (I4), 2 ActionType (I4),
  // 3 action (BSTR).
  /* 28 */ virtual HRESULT STDMETHODCALLTYPE GetModulebarItems(BSTR moduleID, VARIANT* pvarMenubarItems) = 0;

  // Rows x 6, one row per toolbar item: 0 label (BSTR), 1 ToolbarType (I4),
  // 2 ActionType (I4), 3 action (BSTR), 4 bitmap index (I4), 5 identifier
  // (BSTR).
  /* 29 */ virtual HRESULT STDMETHODCALLTYPE GetToolbarItems(VARIANT* pvarMenubarItems) = 0;

  // The toolbar image list (directory in front), always written; S_FALSE and
  // empty when the toolbar has none.
  /* 30 */ virtual HRESULT STDMETHODCALLTYPE GetToolbarIconsList(BSTR* pbstrPath) = 0;

  // Switches the language: reads the localized file again when `bstrLangID`
  // differs from the current language; texts the new language lacks keep their
  // previous text. The new identifier is kept even if reading fails, which also
  // shows the message box "Open failed!". S_OK when the language is unchanged
  // or was read.
  /* 31 */ virtual HRESULT STDMETHODCALLTYPE OnLanguageIDChange(BSTR bstrLangID, long lWndProgress) = 0;

  // Rows x 3, one row per variant of the element's conditional label: 0 DD
  // string key (BSTR), 1 label (BSTR), 2 tooltip (BSTR). S_FALSE when the
  // element is unknown or its label has no variants; a cell that could not be
  // stored leaves the result S_OK.
  /* 32 */ virtual HRESULT STDMETHODCALLTYPE GetConditionalLabelData(BSTR bstrParameterID, VARIANT* pVarLabels) = 0;

  // As GetModuleIcon, for the value of the module's feature `bstrFeatureName`
  // (compared exactly): known feature: set to null, then the value if not
  // empty. S_OK only with a value.
  /* 33 */ virtual HRESULT STDMETHODCALLTYPE GetModuleFeature(BSTR bstrModule, BSTR bstrFeatureName,
                                                              BSTR* pbstrFeatureValue) = 0;

  // 0 when the function identifier selected at Initialize works offline, else 1
  // (also before Initialize). S_FALSE only for a null pointer.
  /* 34 */ virtual HRESULT STDMETHODCALLTYPE GetFunctionIdIsOnline(long* online) = 0;

  // Known module: both outputs are set to null, then each header reference
  // that is not empty is written. S_OK when at least one is.
  /* 35 */ virtual HRESULT STDMETHODCALLTYPE GetHeaderRefs(BSTR bstrModule, BSTR* strHeaderRefOffline,
                                                           BSTR* strHeaderRefOnline) = 0;

  // The header record of `bstrMapping` for the mode (as GetHeaderVarRef). On
  // S_OK: control identifier, ProgID, initialization text, width and height.
  /* 36 */ virtual HRESULT STDMETHODCALLTYPE GetHeaderCtrlInfo(Mode enMode, BSTR bstrMapping, BSTR* pbstrID,
                                                               BSTR* pbstrProgID, BSTR* pbstrInit, long* plWidth,
                                                               long* plHeight) = 0;

  // One of the built-in interface texts (e.g. "navBarGoHome"; the localized file
  // may override them) in the current language, written only with S_OK (the
  // identifier is known).
  /* 37 */ virtual HRESULT STDMETHODCALLTYPE GetGuiLabel(BSTR bstrLabelID, BSTR* pbstrLabelText) = 0;

  // Stores the SDK initialization string ("Key=value|Key=value", "||" for a
  // "|" inside a value) and takes its "HelpApplication" and "HelpParameter"
  // values. Always S_OK.
  /* 38 */ virtual HRESULT STDMETHODCALLTYPE SetSDKInitialization(BSTR bstrSDKInitialization) = 0;

  // The stored SDK initialization string, always. Always S_OK.
  /* 39 */ virtual HRESULT STDMETHODCALLTYPE GetSDKInitialization(BSTR* pbstrSDKInitialization) = 0;

  // The "HelpApplication" and "HelpParameter" values of the SDK
  // initialization string, always; both empty once GetHelpFilePath had to fall
  // back to the default help. Always S_OK.
  /* 40 */ virtual HRESULT STDMETHODCALLTYPE GetSDKInitHelp(BSTR* pbstrHelpApplication, BSTR* pbstrHelpParameter) = 0;

  // The value of the key `bstrParameter` in the SDK initialization string,
  // written only with S_OK: the key is there with a non-empty value.
  /* 41 */ virtual HRESULT STDMETHODCALLTYPE ParseInitString(BSTR bstrParameter, BSTR* pbstrValue) = 0;

  // The label of a declared element, in the current language, written only
  // with S_OK (the identifier is declared).
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
