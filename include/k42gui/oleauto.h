// Automation types as the Windows SDK declares them: BSTR, VARIANT, SAFEARRAY, IDispatch.
//
// Automation interfaces pass strings as BSTRs, single values as VARIANTs and
// lists as SAFEARRAYs, and late-bound callers reach methods through
// `IDispatch::Invoke`. This header mirrors the Windows names, layouts and
// semantics of these types and of the functions that manage them, so that a
// host written for Windows compiles here unchanged and sees the same
// ownership rules:
//
// - A BSTR points at UTF-16 characters preceded by a 4-byte length in bytes
//   and followed by a NUL; it may contain NULs of its own. A null BSTR is a
//   valid empty string. Only `SysFreeString` may free it.
// - A VARIANT owns what it holds (strings, arrays, interface references)
//   unless `VT_BYREF` is set; `VariantClear` releases it, `VariantCopy` makes
//   an independent copy.
// - A SAFEARRAY created with the bounds (rows, columns) is indexed
//   (row, column); `SafeArrayGetLBound(psa, 1, ...)` reports the rows.
//   Internally the bounds are kept in reverse order in `rgsabound` and the
//   elements column-major (the first index varies fastest), as on Windows.
//   Arrays of BSTR, VARIANT and interface pointers own their elements.
//
// Example (a rows x 2 array of strings, as an automation method returns it):
//   SAFEARRAYBOUND bounds[2] = {{rows, 0}, {2, 0}};
//   SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 2, bounds);
//   VARIANT cell;
//   VariantInit(&cell);
//   cell.vt = VT_BSTR;
//   cell.bstrVal = SysAllocString(u"Identifier");
//   LONG index[2] = {0, 0};                  // row 0, column 0
//   SafeArrayPutElement(psa, index, &cell);  // stores a copy
//   VariantClear(&cell);
//   result->vt = VT_ARRAY | VT_VARIANT;
//   result->parray = psa;                    // VariantClear(result) frees all
//
// Not provided: currency, date and decimal arithmetic and their text forms,
// user-defined records, vectors, type libraries (`LoadRegTypeLib`) and error
// objects. `VariantChangeType` converts between the integer, real, boolean,
// string and interface types; see its comment.
#pragma once

#include <k42gui/objbase.h>

#include <type_traits>

struct IDispatch;
struct ITypeInfo;

typedef float FLOAT;
typedef double DOUBLE;
typedef double DATE;
typedef void* PVOID;
typedef short VARIANT_BOOL;
typedef unsigned short VARTYPE;

// ---------------------------------------------------------------------------
// Automation strings

typedef OLECHAR* BSTR;
typedef BSTR* LPBSTR;

extern "C" {

// SysAllocString — allocates a BSTR holding a copy of a NUL-terminated text.
//   psz  the text; may be null.
// Result: the new BSTR, or null when `psz` is null or memory is exhausted.
K42PLATFORM_API BSTR SysAllocString(const OLECHAR* psz);

// SysAllocStringLen — allocates a BSTR of `ui` characters.
//   strIn  the characters to copy (NULs included); may be null.
//   ui     the number of characters.
// Result: the new BSTR, or null when memory is exhausted.
// Notes: with a null `strIn` the characters are zero (Windows leaves them
// undefined); a NUL always follows them.
K42PLATFORM_API BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui);

// SysAllocStringByteLen — allocates a BSTR of `len` bytes.
//   psz  the bytes to copy; may be null (the bytes are then zero).
//   len  the length in bytes; it may be odd.
// Result: the new BSTR, or null when memory is exhausted.
// Notes: used to carry binary data; `SysStringByteLen` gives `len` back,
// `SysStringLen` gives `len / 2`. A two-byte NUL follows the data.
K42PLATFORM_API BSTR SysAllocStringByteLen(LPCSTR psz, UINT len);

// SysReAllocString — replaces `*pbstr` with a new copy of `psz`.
//   pbstr  the BSTR to replace; its old string is freed.
//   psz    the new text; may point into the old string; null makes
//          `*pbstr` null.
// Result: TRUE, or FALSE when memory is exhausted (`*pbstr` is kept then).
K42PLATFORM_API INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);

// SysReAllocStringLen — as SysReAllocString, with an explicit length.
K42PLATFORM_API INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len);

// SysStringLen — the number of characters of a BSTR; 0 for null.
K42PLATFORM_API UINT SysStringLen(BSTR bstr);

// SysStringByteLen — the number of bytes of a BSTR; 0 for null.
K42PLATFORM_API UINT SysStringByteLen(BSTR bstr);

// SysFreeString — frees a BSTR; null is ignored.
// Notes: as on Windows, a short string's memory may be kept by the freeing
// thread and handed out again by its next allocation of about that size;
// setting the environment variable OANOCACHE (to anything) turns that off.
K42PLATFORM_API void SysFreeString(BSTR bstrString);

}  // extern "C"

// ---------------------------------------------------------------------------
// Variants

enum VARENUM {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_VOID = 24,
  VT_HRESULT = 25,
  VT_PTR = 26,
  VT_SAFEARRAY = 27,
  VT_CARRAY = 28,
  VT_USERDEFINED = 29,
  VT_LPSTR = 30,
  VT_LPWSTR = 31,
  VT_RECORD = 36,
  VT_INT_PTR = 37,
  VT_UINT_PTR = 38,
  VT_VECTOR = 0x1000,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
  VT_RESERVED = 0x8000,
  VT_ILLEGAL = 0xffff,
  VT_ILLEGALMASKED = 0x0fff,
  VT_TYPEMASK = 0x0fff
};

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

// Flags of VariantChangeType.
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02
#define VARIANT_NOUSEROVERRIDE 0x04
#define VARIANT_LOCALBOOL 0x10

#ifndef LOCALE_USER_DEFAULT
#define LOCALE_USER_DEFAULT 0x0400
#endif
#ifndef LOCALE_SYSTEM_DEFAULT
#define LOCALE_SYSTEM_DEFAULT 0x0800
#endif

// Currency: a 64-bit integer scaled by 10000.
struct CY {
  LONGLONG int64;
};

// A 96-bit scaled decimal (only its storage; no arithmetic is provided).
struct DECIMAL {
  USHORT wReserved;
  BYTE scale;
  BYTE sign;
  ULONG Hi32;
  ULONGLONG Lo64;
};

struct SAFEARRAY;

// The two pointers of a VT_RECORD value.
struct VARIANT_RECORD {
  PVOID pvRecord;
  PVOID pRecInfo;
};

// A self-describing value: `vt` says which member of the union is valid.
// The members carry the Windows names (`v.lVal`, `v.bstrVal`, `v.parray`,
// `v.pvarVal`, ...); the union is anonymous as in the SDK's C++ view.
// Unlike Windows, the DECIMAL value is not overlaid on the whole structure.
struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    LONG lVal;
    BYTE bVal;
    SHORT iVal;
    FLOAT fltVal;
    DOUBLE dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    CY cyVal;
    DATE date;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
    BYTE* pbVal;
    SHORT* piVal;
    LONG* plVal;
    LONGLONG* pllVal;
    FLOAT* pfltVal;
    DOUBLE* pdblVal;
    VARIANT_BOOL* pboolVal;
    SCODE* pscode;
    CY* pcyVal;
    DATE* pdate;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    SAFEARRAY** pparray;
    VARIANT* pvarVal;
    PVOID byref;
    CHAR cVal;
    USHORT uiVal;
    ULONG ulVal;
    ULONGLONG ullVal;
    INT intVal;
    UINT uintVal;
    DECIMAL* pdecVal;
    CHAR* pcVal;
    USHORT* puiVal;
    ULONG* pulVal;
    ULONGLONG* pullVal;
    INT* pintVal;
    UINT* puintVal;
    VARIANT_RECORD brecVal;
  };
};
static_assert(sizeof(VARIANT) == 8 + 2 * sizeof(void*), "VARIANT must have the Windows size");

typedef VARIANT VARIANTARG;
typedef VARIANT* LPVARIANT;
typedef VARIANTARG* LPVARIANTARG;

#define V_VT(X) ((X)->vt)
#define V_ISBYREF(X) (V_VT(X) & VT_BYREF)
#define V_ISARRAY(X) (V_VT(X) & VT_ARRAY)
#define V_BYREF(X) ((X)->byref)
#define V_UI1(X) ((X)->bVal)
#define V_UI1REF(X) ((X)->pbVal)
#define V_I1(X) ((X)->cVal)
#define V_I2(X) ((X)->iVal)
#define V_I2REF(X) ((X)->piVal)
#define V_UI2(X) ((X)->uiVal)
#define V_I4(X) ((X)->lVal)
#define V_I4REF(X) ((X)->plVal)
#define V_UI4(X) ((X)->ulVal)
#define V_I8(X) ((X)->llVal)
#define V_UI8(X) ((X)->ullVal)
#define V_INT(X) ((X)->intVal)
#define V_INTREF(X) ((X)->pintVal)
#define V_UINT(X) ((X)->uintVal)
#define V_R4(X) ((X)->fltVal)
#define V_R8(X) ((X)->dblVal)
#define V_R8REF(X) ((X)->pdblVal)
#define V_CY(X) ((X)->cyVal)
#define V_DATE(X) ((X)->date)
#define V_BSTR(X) ((X)->bstrVal)
#define V_BSTRREF(X) ((X)->pbstrVal)
#define V_DISPATCH(X) ((X)->pdispVal)
#define V_DISPATCHREF(X) ((X)->ppdispVal)
#define V_UNKNOWN(X) ((X)->punkVal)
#define V_UNKNOWNREF(X) ((X)->ppunkVal)
#define V_ERROR(X) ((X)->scode)
#define V_ERRORREF(X) ((X)->pscode)
#define V_BOOL(X) ((X)->boolVal)
#define V_BOOLREF(X) ((X)->pboolVal)
#define V_VARIANTREF(X) ((X)->pvarVal)
#define V_ARRAY(X) ((X)->parray)
#define V_ARRAYREF(X) ((X)->pparray)

extern "C" {

// VariantInit — marks a variant as empty (VT_EMPTY) without freeing anything.
//   pvarg  the variant; must not be null.
K42PLATFORM_API void VariantInit(VARIANTARG* pvarg);

// VariantClear — releases what a variant owns and makes it VT_EMPTY.
//   pvarg  the variant; must not be null.
// Result: S_OK; DISP_E_BADVARTYPE for a type a variant cannot hold (nothing
// is changed then); DISP_E_ARRAYISLOCKED when its array is locked.
// Notes: frees a BSTR, destroys an array with all its elements and releases
// an interface. A by-reference variant frees nothing.
K42PLATFORM_API HRESULT VariantClear(VARIANTARG* pvarg);

// VariantCopy — replaces `pvargDest` with an independent copy of `pvargSrc`.
//   pvargDest  cleared first (as by VariantClear).
//   pvargSrc   the value to copy; may be the same variant as `pvargDest`.
// Result: S_OK; DISP_E_BADVARTYPE, DISP_E_ARRAYISLOCKED or E_OUTOFMEMORY.
// Notes: strings and arrays are duplicated (a BSTR keeps its byte length),
// interfaces get one more reference. A by-reference source is copied as the
// reference itself.
K42PLATFORM_API HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);

// VariantCopyInd — as VariantCopy, but a by-reference source is copied as
// the value it refers to (a VT_VARIANT | VT_BYREF source as the referred
// variant). A referred variant that is by-reference again gives E_INVALIDARG.
K42PLATFORM_API HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc);

// VariantChangeType — converts a value to type `vt`.
//   pvargDest  receives the result; cleared first; may equal `pvarSrc`.
//   pvarSrc    the value; a by-reference source is dereferenced first.
//   wFlags     VARIANT_ALPHABOOL writes booleans as "True"/"False" instead
//              of "-1"/"0"; VARIANT_NOVALUEPROP stops the use of an
//              object's default property.
//   vt         the target type.
// Result: S_OK; DISP_E_TYPEMISMATCH when no conversion exists or a text is
// not a number; DISP_E_OVERFLOW when the value does not fit the target;
// DISP_E_BADVARTYPE for a source or target type a variant cannot hold;
// E_INVALIDARG for null pointers. On failure `pvargDest` is unchanged.
// Notes: supported are
// - the integer types, VT_R4, VT_R8, VT_BOOL and VT_BSTR among each other:
//   reals are rounded half to even; VT_EMPTY reads as 0 or ""; a boolean is
//   -1 or 0 and wraps into unsigned types (True is 255 as VT_UI1); text is
//   read locale-neutrally (blanks, a sign, decimal digits with an optional
//   '.' fraction and exponent, blanks; no thousands separators or currency
//   symbols), and "True"/"False" in any case are booleans;
// - VT_DISPATCH and VT_UNKNOWN among each other (QueryInterface);
// - an object to a value through its default property (DISPID_VALUE);
// - any type to itself, and anything to VT_EMPTY.
// VT_NULL converts to nothing else. Other pairs give DISP_E_TYPEMISMATCH.
K42PLATFORM_API HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);

// VariantChangeTypeEx — as VariantChangeType; the locale is ignored.
K42PLATFORM_API HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags,
                                            VARTYPE vt);

}  // extern "C"

// ---------------------------------------------------------------------------
// Safe arrays

struct SAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
};
typedef SAFEARRAYBOUND* LPSAFEARRAYBOUND;

// The array descriptor. `rgsabound` holds `cDims` bounds, the last dimension
// given to SafeArrayCreate first.
struct SAFEARRAY {
  USHORT cDims;
  USHORT fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  PVOID pvData;
  SAFEARRAYBOUND rgsabound[1];
};
typedef SAFEARRAY* LPSAFEARRAY;

#define FADF_AUTO 0x0001
#define FADF_STATIC 0x0002
#define FADF_EMBEDDED 0x0004
#define FADF_FIXEDSIZE 0x0010
#define FADF_RECORD 0x0020
#define FADF_HAVEIID 0x0040
#define FADF_HAVEVARTYPE 0x0080
#define FADF_BSTR 0x0100
#define FADF_UNKNOWN 0x0200
#define FADF_DISPATCH 0x0400
#define FADF_VARIANT 0x0800
#define FADF_RESERVED 0xF008

extern "C" {

// SafeArrayCreate — creates an array of `cDims` dimensions.
//   vt         the element type: VT_I1..VT_UI8, VT_INT, VT_UINT, VT_R4,
//              VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_DISPATCH, VT_ERROR,
//              VT_BOOL, VT_VARIANT, VT_UNKNOWN or VT_DECIMAL.
//   cDims      the number of dimensions, at least 1.
//   rgsabound  one bound per dimension, in the order the array is indexed.
// Result: the new array with every element zero (VT_EMPTY, null strings and
// interfaces), or null for a bad type, no dimensions or no memory.
K42PLATFORM_API SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound);

// SafeArrayCreateVector — creates a one-dimensional array of `cElements`
// elements indexed from `lLbound`. Result as SafeArrayCreate.
K42PLATFORM_API SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);

// SafeArrayDestroy — clears every element and frees the array.
//   psa  the array; null is accepted.
// Result: S_OK, or DISP_E_ARRAYISLOCKED while the array is locked (nothing
// is freed then).
// Notes: only arrays made by SafeArrayCreate, SafeArrayCreateVector or
// SafeArrayCopy may be passed.
K42PLATFORM_API HRESULT SafeArrayDestroy(SAFEARRAY* psa);

// SafeArrayCopy — creates an independent copy of an array.
//   psa      the array; null gives a null copy.
//   ppsaOut  receives the copy; must not be null.
// Result: S_OK, E_INVALIDARG or E_OUTOFMEMORY (`*ppsaOut` is null then).
// Notes: elements are copied as SafeArrayPutElement copies them.
K42PLATFORM_API HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);

// SafeArrayGetDim — the number of dimensions; 0 for null.
K42PLATFORM_API UINT SafeArrayGetDim(SAFEARRAY* psa);

// SafeArrayGetElemsize — the size of one element in bytes; 0 for null.
K42PLATFORM_API UINT SafeArrayGetElemsize(SAFEARRAY* psa);

// SafeArrayGetLBound / SafeArrayGetUBound — the lowest / highest index of a
// dimension.
//   psa    the array.
//   nDim   the dimension, 1 for the first one given to SafeArrayCreate.
//   plBound  receives the index. The upper bound of an empty dimension is
//          one below its lower bound.
// Result: S_OK, DISP_E_BADINDEX for a dimension out of range, E_INVALIDARG
// for null pointers.
K42PLATFORM_API HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
K42PLATFORM_API HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);

// SafeArrayGetVartype — the element type the array was created with.
// Result: S_OK, or E_INVALIDARG for null pointers or an array that does not
// record its type.
K42PLATFORM_API HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);

// SafeArrayLock / SafeArrayUnlock — count a use of the array's data; a
// locked array cannot be destroyed.
// Result: S_OK; E_INVALIDARG for null; E_UNEXPECTED when unlocking an
// unlocked array or locking beyond 65535 locks.
K42PLATFORM_API HRESULT SafeArrayLock(SAFEARRAY* psa);
K42PLATFORM_API HRESULT SafeArrayUnlock(SAFEARRAY* psa);

// SafeArrayAccessData — locks the array and hands out its data pointer.
// SafeArrayUnaccessData — undoes one SafeArrayAccessData.
// Result: as SafeArrayLock / SafeArrayUnlock; E_INVALIDARG for a null
// `ppvData`.
K42PLATFORM_API HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
K42PLATFORM_API HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);

// SafeArrayPtrOfIndex — the address of one element.
//   rgIndices  one index per dimension, in the order given to SafeArrayCreate.
// Result: S_OK, DISP_E_BADINDEX for an index out of its bounds, E_INVALIDARG
// for null pointers.
K42PLATFORM_API HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData);

// SafeArrayPutElement — stores a copy of a value in one element.
//   rgIndices  one index per dimension, in the order given to SafeArrayCreate
//              (an array created with (rows, columns) takes (row, column)).
//   pv         the value: for VT_VARIANT a VARIANT*, copied as by
//              VariantCopy; for VT_BSTR the BSTR itself, duplicated; for
//              interfaces the interface pointer, which gets one more
//              reference; otherwise a pointer to the value.
// Result: S_OK, DISP_E_BADINDEX, E_INVALIDARG, DISP_E_BADVARTYPE or
// E_OUTOFMEMORY. The element's previous value is released.
K42PLATFORM_API HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);

// SafeArrayGetElement — copies one element out.
//   rgIndices  as for SafeArrayPutElement.
//   pv         receives the copy (a VARIANT, a BSTR, an interface pointer
//              with one more reference, or the value); whatever it held is
//              overwritten, not released. The caller owns the copy.
// Result: as SafeArrayPutElement.
K42PLATFORM_API HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);

}  // extern "C"

// Windows code declares index arrays and bounds as `long`, which is 32 bits
// there but 64 bits here, while LONG is 32 bits on both. These overloads
// accept such `long` arrays unchanged; values outside the 32-bit range give
// DISP_E_BADINDEX. They are templates so that a null pointer still selects
// the LONG functions above.
namespace k42gui::detail {
K42PLATFORM_API HRESULT SafeArrayGetBoundLong(SAFEARRAY* psa, UINT nDim, long* plBound, bool upper);
K42PLATFORM_API HRESULT SafeArrayPtrOfIndexLong(SAFEARRAY* psa, const long* rgIndices, void** ppvData);
K42PLATFORM_API HRESULT SafeArrayPutElementLong(SAFEARRAY* psa, const long* rgIndices, void* pv);
K42PLATFORM_API HRESULT SafeArrayGetElementLong(SAFEARRAY* psa, const long* rgIndices, void* pv);
}  // namespace k42gui::detail

template <typename Long, typename = std::enable_if_t<std::is_same_v<Long, long>>>
HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, Long* plLbound) {
  return k42gui::detail::SafeArrayGetBoundLong(psa, nDim, plLbound, false);
}
template <typename Long, typename = std::enable_if_t<std::is_same_v<Long, long>>>
HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, Long* plUbound) {
  return k42gui::detail::SafeArrayGetBoundLong(psa, nDim, plUbound, true);
}
template <typename Long, typename = std::enable_if_t<std::is_same_v<Long, long>>>
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, Long* rgIndices, void** ppvData) {
  return k42gui::detail::SafeArrayPtrOfIndexLong(psa, rgIndices, ppvData);
}
template <typename Long, typename = std::enable_if_t<std::is_same_v<Long, long>>>
HRESULT SafeArrayPutElement(SAFEARRAY* psa, Long* rgIndices, void* pv) {
  return k42gui::detail::SafeArrayPutElementLong(psa, rgIndices, pv);
}
template <typename Long, typename = std::enable_if_t<std::is_same_v<Long, long>>>
HRESULT SafeArrayGetElement(SAFEARRAY* psa, Long* rgIndices, void* pv) {
  return k42gui::detail::SafeArrayGetElementLong(psa, rgIndices, pv);
}

// ---------------------------------------------------------------------------
// Late binding

struct DISPPARAMS {
  VARIANTARG* rgvarg;         // the arguments, last argument first
  DISPID* rgdispidNamedArgs;  // identifiers of the named arguments
  UINT cArgs;
  UINT cNamedArgs;
};

struct EXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  PVOID pvReserved;
  HRESULT(STDAPICALLTYPE* pfnDeferredFillIn)(EXCEPINFO*);
  SCODE scode;
};
typedef EXCEPINFO* LPEXCEPINFO;

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8

#define DISPID_UNKNOWN (-1)
#define DISPID_VALUE 0
#define DISPID_PROPERTYPUT (-3)
#define DISPID_NEWENUM (-4)
#define DISPID_EVALUATE (-5)
#define DISPID_CONSTRUCTOR (-6)
#define DISPID_DESTRUCTOR (-7)
#define DISPID_COLLECT (-8)

#define MEMBERID_NIL DISPID_UNKNOWN

// Type information of one interface. Only the members that a dispatch
// implementation and a host use are declared, in the Windows order:
// name lookup, invocation and documentation. Type attributes, function
// descriptions and type compilers are not part of this platform.
struct ITypeInfo : public IUnknown {
  // Maps a member name (rgszNames[0]) and its parameter names to identifiers.
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) = 0;
  // Calls member `memid` on `pvInstance`, an object implementing the
  // described interface.
  virtual HRESULT STDMETHODCALLTYPE Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
                                           VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) = 0;
  // The name, help string, help context and help file of a member
  // (MEMBERID_NIL: of the interface). Null output pointers are skipped.
  virtual HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                                     DWORD* pdwHelpContext, BSTR* pBstrHelpFile) = 0;
};
typedef ITypeInfo* LPTYPEINFO;

// Late-bound access to an object's methods and properties.
struct IDispatch : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                                  DISPID* rgDispId) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                           DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                           UINT* puArgErr) = 0;
};
typedef IDispatch* LPDISPATCH;

// Tells whether an interface of the object reports error objects.
struct ISupportErrorInfo : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) = 0;
};
