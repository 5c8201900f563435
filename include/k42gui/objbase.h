// Component-object basics: GUIDs, IUnknown and IClassFactory as the Windows SDK declares them.
//
// Host code written for Windows refers to interfaces by GUID, compares them
// with `IsEqualIID` or `==`, and talks to objects through `IUnknown` and
// `IClassFactory`. This header provides those names with the Windows layout
// and semantics, so that such code compiles here unchanged. The well-known
// interface identifiers carry their real Windows values; they are defined
// `inline constexpr`, so no library is needed to refer to them.
//
// What is not here: the component runtime itself (`CoInitialize`,
// `CoCreateInstance`, apartments, marshalling). An in-process host loads the
// component library and calls its `DllGetClassObject` directly.
//
// Example:
//   IClassFactory* factory = nullptr;
//   if (SUCCEEDED(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory,
//                                   reinterpret_cast<void**>(&factory)))) {
//     IUnknown* object = nullptr;
//     factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object));
//     factory->Release();
//     ...
//   }
//
//   OLECHAR text[39];
//   StringFromGUID2(IID_IDispatch, text, 39);  // "{00020400-0000-0000-C000-000000000046}"
#pragma once

#include <k42gui/wintypes.h>

// A 128-bit identifier in the Windows memory layout (the first three fields
// are stored in host byte order, `Data4` as bytes).
struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
static_assert(sizeof(GUID) == 16, "GUID must have the Windows layout");

typedef GUID IID;
typedef GUID CLSID;
typedef GUID* LPGUID;
typedef IID* LPIID;
typedef CLSID* LPCLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

typedef DWORD LCID;
typedef LONG DISPID;
typedef DISPID MEMBERID;
typedef LONG SCODE;

#ifndef CO_E_CLASSSTRING
#define CO_E_CLASSSTRING _HRESULT_TYPEDEF_(0x800401F3L)
#endif
#ifndef NOERROR
#define NOERROR 0
#endif

// Interface declaration helpers in the style of the SDK.
#ifndef STDMETHOD
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define PURE = 0
#endif
#ifndef STDAPI
#define STDAPI extern "C" HRESULT STDAPICALLTYPE
#define STDAPI_(type) extern "C" type STDAPICALLTYPE
#endif

inline constexpr GUID GUID_NULL = {0x00000000, 0x0000, 0x0000, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};
inline constexpr IID IID_NULL = GUID_NULL;
inline constexpr CLSID CLSID_NULL = GUID_NULL;
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_ITypeInfo = {0x00020401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_ISupportErrorInfo = {
    0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};

// Compares two GUIDs field by field. Constant-evaluable, so that interface
// tables can be checked at compile time.
constexpr BOOL IsEqualGUID(REFGUID a, REFGUID b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return FALSE;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return FALSE;
  }
  return TRUE;
}
constexpr BOOL IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
constexpr BOOL IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }
constexpr bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b) != FALSE; }
constexpr bool operator!=(REFGUID a, REFGUID b) { return !(a == b); }

extern "C" {

// StringFromGUID2 — writes `guid` as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
//   guid    the identifier to format.
//   lpsz    buffer for the text and its terminating NUL.
//   cchMax  size of the buffer in characters; 39 are needed.
// Result: the number of characters written including the NUL (39), or 0 when
// the buffer is null or too small (nothing is written then).
// Notes: hexadecimal digits are upper case, as Windows writes them.
K42PLATFORM_API int StringFromGUID2(REFGUID guid, LPOLESTR lpsz, int cchMax);

// CLSIDFromString — reads a class identifier in brace format.
//   lpsz    "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", digits in either case;
//           a null pointer stands for CLSID_NULL.
//   pclsid  receives the identifier; CLSID_NULL when the text is malformed.
// Result: NOERROR, CO_E_CLASSSTRING for malformed text, E_INVALIDARG for a
// null `pclsid`.
// Notes: Windows would also look a ProgID up in the registry; here only the
// brace format is accepted.
K42PLATFORM_API HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);

// IIDFromString — reads an interface identifier in brace format.
//   lpsz  as for CLSIDFromString; a null pointer stands for IID_NULL.
//   lpiid receives the identifier; IID_NULL when the text is malformed.
// Result: S_OK, or E_INVALIDARG for malformed text or a null `lpiid`.
K42PLATFORM_API HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid);

}  // extern "C"

// The root of every interface: identity, interface navigation and lifetime.
// As on Windows there is no virtual destructor; an object ends its own life
// when `Release` drops its reference count to zero.
struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

// Creates objects of one class. `pUnkOuter` is the controlling object when
// the new object is aggregated; `LockServer` keeps the module loaded.
struct IClassFactory : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) = 0;
};
typedef IClassFactory* LPCLASSFACTORY;
