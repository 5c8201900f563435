// Safe arrays: multi-dimensional arrays that own their strings, variants and interfaces.
#include <k42gui/oleauto.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// In front of each descriptor, as on Windows: 16 bytes that hold the
// interface identifier of an interface array (FADF_HAVEIID) or, in their
// last 4 bytes, the element type (FADF_HAVEVARTYPE).
constexpr size_t kHeader = 16;
constexpr ULONG kMaxLocks = 0xFFFF;
// Element data beyond this size is refused rather than attempted.
constexpr size_t kMaxDataBytes = 0x7FFFFFFF;

BYTE* HeaderOf(SAFEARRAY* psa) { return reinterpret_cast<BYTE*>(psa) - kHeader; }

size_t DescriptorSize(UINT cDims) {
  return offsetof(SAFEARRAY, rgsabound) + static_cast<size_t>(cDims) * sizeof(SAFEARRAYBOUND);
}

ULONG ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
      return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(void*);
    case VT_DECIMAL:
      return sizeof(DECIMAL);
    case VT_VARIANT:
      return sizeof(VARIANT);
    default:
      return 0;
  }
}

// The element type of an array made here; VT_EMPTY when it is not recorded.
VARTYPE TypeOf(SAFEARRAY* psa) {
  if (psa->fFeatures & FADF_HAVEVARTYPE) {
    DWORD vt;
    std::memcpy(&vt, HeaderOf(psa) + kHeader - sizeof(DWORD), sizeof vt);
    return static_cast<VARTYPE>(vt);
  }
  if (psa->fFeatures & FADF_BSTR) return VT_BSTR;
  if (psa->fFeatures & FADF_VARIANT) return VT_VARIANT;
  if (psa->fFeatures & FADF_DISPATCH) return VT_DISPATCH;
  if (psa->fFeatures & FADF_UNKNOWN) return VT_UNKNOWN;
  return VT_EMPTY;
}

size_t ElementCount(const SAFEARRAY* psa) {
  size_t count = 1;
  for (USHORT i = 0; i < psa->cDims; ++i) count *= psa->rgsabound[i].cElements;
  return count;
}

// Creates an array whose dimensions are given in indexing order.
SAFEARRAY* Create(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* bounds) {
  ULONG size = ElementSize(vt);
  if (size == 0 || cDims == 0 || cDims > std::numeric_limits<USHORT>::max() || bounds == nullptr) return nullptr;
  size_t bytes = size;
  for (UINT i = 0; i < cDims; ++i) {
    if (__builtin_mul_overflow(bytes, static_cast<size_t>(bounds[i].cElements), &bytes) || bytes > kMaxDataBytes) {
      return nullptr;
    }
  }
  auto* block = static_cast<BYTE*>(std::calloc(1, kHeader + DescriptorSize(cDims)));
  if (block == nullptr) return nullptr;
  // Zero bytes are a valid starting value for every element type.
  void* data = std::calloc(bytes == 0 ? 1 : bytes, 1);
  if (data == nullptr) {
    std::free(block);
    return nullptr;
  }
  auto* psa = reinterpret_cast<SAFEARRAY*>(block + kHeader);
  psa->cDims = static_cast<USHORT>(cDims);
  psa->cbElements = size;
  psa->pvData = data;
  for (UINT i = 0; i < cDims; ++i) psa->rgsabound[cDims - 1 - i] = bounds[i];
  if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
    psa->fFeatures = FADF_HAVEIID | (vt == VT_DISPATCH ? FADF_DISPATCH : FADF_UNKNOWN);
    const IID& iid = vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown;
    std::memcpy(block, &iid, sizeof iid);
  } else {
    psa->fFeatures = FADF_HAVEVARTYPE;
    if (vt == VT_BSTR) psa->fFeatures |= FADF_BSTR;
    if (vt == VT_VARIANT) psa->fFeatures |= FADF_VARIANT;
    DWORD stored = vt;
    std::memcpy(block + kHeader - sizeof stored, &stored, sizeof stored);
  }
  return psa;
}

// Releases what one element owns and zeroes it.
void ClearElement(VARTYPE vt, void* element) {
  switch (vt) {
    case VT_VARIANT:
      VariantClear(static_cast<VARIANT*>(element));
      break;
    case VT_BSTR:
      SysFreeString(*static_cast<BSTR*>(element));
      *static_cast<BSTR*>(element) = nullptr;
      break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (auto* unknown = *static_cast<IUnknown**>(element)) unknown->Release();
      *static_cast<IUnknown**>(element) = nullptr;
      break;
    default:
      break;
  }
}

// Copies a value into an element; the element's old value is released.
// `source` is what SafeArrayPutElement receives: a VARIANT*, the BSTR, the
// interface pointer, or a pointer to the value.
HRESULT StoreElement(VARTYPE vt, ULONG size, void* element, const void* source) {
  switch (vt) {
    case VT_VARIANT:
      return VariantCopy(static_cast<VARIANT*>(element), static_cast<const VARIANT*>(source));
    case VT_BSTR: {
      auto text = static_cast<BSTR>(const_cast<void*>(source));
      BSTR copy = nullptr;
      if (text != nullptr) {
        copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(text), SysStringByteLen(text));
        if (copy == nullptr) return E_OUTOFMEMORY;
      }
      SysFreeString(*static_cast<BSTR*>(element));
      *static_cast<BSTR*>(element) = copy;
      return S_OK;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      auto* unknown = static_cast<IUnknown*>(const_cast<void*>(source));
      if (unknown != nullptr) unknown->AddRef();
      ClearElement(vt, element);
      *static_cast<IUnknown**>(element) = unknown;
      return S_OK;
    }
    default:
      std::memcpy(element, source, size);
      return S_OK;
  }
}

bool AcceptsNullValue(VARTYPE vt) { return vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN; }

// Converts `long` indices to LONG ones; false if one does not fit.
bool NarrowIndices(SAFEARRAY* psa, const long* indices, std::vector<LONG>* out) {
  out->resize(psa->cDims);
  for (USHORT i = 0; i < psa->cDims; ++i) {
    if (indices[i] < std::numeric_limits<LONG>::min() || indices[i] > std::numeric_limits<LONG>::max()) return false;
    (*out)[i] = static_cast<LONG>(indices[i]);
  }
  return true;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) { return Create(vt, cDims, rgsabound); }

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
  SAFEARRAYBOUND bound{cElements, lLbound};
  return Create(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
  if (psa == nullptr) return S_OK;
  if (psa->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  VARTYPE vt = TypeOf(psa);
  if (vt == VT_VARIANT || vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN) {
    auto* element = static_cast<BYTE*>(psa->pvData);
    for (size_t i = 0, n = ElementCount(psa); i < n; ++i, element += psa->cbElements) ClearElement(vt, element);
  }
  std::free(psa->pvData);
  std::free(HeaderOf(psa));
  return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
  if (ppsaOut == nullptr) return E_INVALIDARG;
  *ppsaOut = nullptr;
  if (psa == nullptr) return S_OK;
  VARTYPE vt = TypeOf(psa);
  std::vector<SAFEARRAYBOUND> bounds(psa->rgsabound, psa->rgsabound + psa->cDims);
  std::vector<SAFEARRAYBOUND> ordered(bounds.rbegin(), bounds.rend());
  SAFEARRAY* copy = Create(vt, psa->cDims, ordered.data());
  if (copy == nullptr) return vt == VT_EMPTY ? E_INVALIDARG : E_OUTOFMEMORY;
  const auto* from = static_cast<const BYTE*>(psa->pvData);
  auto* to = static_cast<BYTE*>(copy->pvData);
  size_t count = ElementCount(psa);
  if (vt == VT_VARIANT || vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN) {
    for (size_t i = 0; i < count; ++i, from += psa->cbElements, to += psa->cbElements) {
      // A BSTR or interface element is passed by value, a variant by address.
      const void* source = vt == VT_VARIANT ? static_cast<const void*>(from) : *reinterpret_cast<void* const*>(from);
      HRESULT hr = StoreElement(vt, psa->cbElements, to, source);
      if (FAILED(hr)) {
        SafeArrayDestroy(copy);
        return hr;
      }
    }
  } else {
    std::memcpy(to, from, count * psa->cbElements);
  }
  *ppsaOut = copy;
  return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa == nullptr ? 0 : psa->cDims; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa == nullptr ? 0 : psa->cbElements; }

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
  if (psa == nullptr || plLbound == nullptr) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
  if (psa == nullptr || plUbound == nullptr) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
  // Computed in 64 bits: the true upper bound, truncated as Windows does.
  *plUbound = static_cast<LONG>(static_cast<LONGLONG>(bound.lLbound) + bound.cElements - 1);
  return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
  if (psa == nullptr || pvt == nullptr) return E_INVALIDARG;
  VARTYPE vt = TypeOf(psa);
  if (vt == VT_EMPTY) return E_INVALIDARG;
  *pvt = vt;
  return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa) {
  if (psa == nullptr) return E_INVALIDARG;
  if (psa->cLocks >= kMaxLocks) return E_UNEXPECTED;
  ++psa->cLocks;
  return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
  if (psa == nullptr) return E_INVALIDARG;
  if (psa->cLocks == 0) return E_UNEXPECTED;
  --psa->cLocks;
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
  if (psa == nullptr || ppvData == nullptr) return E_INVALIDARG;
  HRESULT hr = SafeArrayLock(psa);
  *ppvData = SUCCEEDED(hr) ? psa->pvData : nullptr;
  return hr;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData) {
  if (psa == nullptr || rgIndices == nullptr || ppvData == nullptr) return E_INVALIDARG;
  // rgIndices[0] belongs to the first dimension created, which is stored
  // last in rgsabound and varies fastest in memory.
  size_t offset = 0;
  size_t stride = 1;
  for (USHORT i = 0; i < psa->cDims; ++i) {
    const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - 1 - i];
    LONGLONG relative = static_cast<LONGLONG>(rgIndices[i]) - bound.lLbound;
    if (relative < 0 || relative >= static_cast<LONGLONG>(bound.cElements)) return DISP_E_BADINDEX;
    offset += static_cast<size_t>(relative) * stride;
    stride *= bound.cElements;
  }
  *ppvData = static_cast<BYTE*>(psa->pvData) + offset * psa->cbElements;
  return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  if (psa == nullptr || rgIndices == nullptr) return E_INVALIDARG;
  VARTYPE vt = TypeOf(psa);
  if (vt == VT_EMPTY) return E_INVALIDARG;
  if (pv == nullptr && !AcceptsNullValue(vt)) return E_INVALIDARG;
  void* element = nullptr;
  HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
  if (FAILED(hr)) return hr;
  return StoreElement(vt, psa->cbElements, element, pv);
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  if (psa == nullptr || rgIndices == nullptr || pv == nullptr) return E_INVALIDARG;
  VARTYPE vt = TypeOf(psa);
  if (vt == VT_EMPTY) return E_INVALIDARG;
  void* element = nullptr;
  HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
  if (FAILED(hr)) return hr;
  switch (vt) {
    case VT_VARIANT:
      // The output is treated as uninitialized: nothing in it is released.
      VariantInit(static_cast<VARIANT*>(pv));
      return VariantCopy(static_cast<VARIANT*>(pv), static_cast<VARIANT*>(element));
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      *static_cast<void**>(pv) = nullptr;
      return StoreElement(vt, psa->cbElements, pv, *static_cast<void**>(element));
    default:
      std::memcpy(pv, element, psa->cbElements);
      return S_OK;
  }
}

namespace k42gui::detail {

HRESULT SafeArrayGetBoundLong(SAFEARRAY* psa, UINT nDim, long* plBound, bool upper) {
  if (plBound == nullptr) return E_INVALIDARG;
  LONG value = 0;
  HRESULT hr = upper ? SafeArrayGetUBound(psa, nDim, &value) : SafeArrayGetLBound(psa, nDim, &value);
  if (SUCCEEDED(hr)) *plBound = value;
  return hr;
}

HRESULT SafeArrayPtrOfIndexLong(SAFEARRAY* psa, const long* rgIndices, void** ppvData) {
  if (psa == nullptr || rgIndices == nullptr) return E_INVALIDARG;
  std::vector<LONG> indices;
  if (!NarrowIndices(psa, rgIndices, &indices)) return DISP_E_BADINDEX;
  return SafeArrayPtrOfIndex(psa, indices.data(), ppvData);
}

HRESULT SafeArrayPutElementLong(SAFEARRAY* psa, const long* rgIndices, void* pv) {
  if (psa == nullptr || rgIndices == nullptr) return E_INVALIDARG;
  std::vector<LONG> indices;
  if (!NarrowIndices(psa, rgIndices, &indices)) return DISP_E_BADINDEX;
  return SafeArrayPutElement(psa, indices.data(), pv);
}

HRESULT SafeArrayGetElementLong(SAFEARRAY* psa, const long* rgIndices, void* pv) {
  if (psa == nullptr || rgIndices == nullptr) return E_INVALIDARG;
  std::vector<LONG> indices;
  if (!NarrowIndices(psa, rgIndices, &indices)) return DISP_E_BADINDEX;
  return SafeArrayGetElement(psa, indices.data(), pv);
}

}  // namespace k42gui::detail
