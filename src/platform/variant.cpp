// Variants: initialization, release and copying of self-describing values.
#include <k42gui/oleauto.h>

namespace {

// Whether a variant may carry type `vt` (by value, by reference or as an
// array of it).
bool IsVariantType(VARTYPE vt) {
  const VARTYPE base = vt & VT_TYPEMASK;
  const VARTYPE flags = vt & ~VT_TYPEMASK;
  if (flags & ~(VT_ARRAY | VT_BYREF)) return false;
  switch (base) {
    case VT_EMPTY:
    case VT_NULL:
      return flags == 0;
    case VT_VARIANT:
      return flags != 0;
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_DECIMAL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_RECORD:
      return true;
    default:
      return false;
  }
}

// Reads the value a by-reference variant points at into a by-value variant
// that shares (does not own) strings, arrays and interfaces.
HRESULT Dereference(const VARIANT* source, VARIANT* view) {
  const VARTYPE vt = source->vt & ~VT_BYREF;
  if (source->byref == nullptr) return E_INVALIDARG;
  VariantInit(view);
  if (vt == VT_VARIANT) {
    if (source->pvarVal->vt & VT_BYREF) return E_INVALIDARG;
    *view = *source->pvarVal;
    return S_OK;
  }
  view->vt = vt;
  if (vt & VT_ARRAY) {
    view->parray = *source->pparray;
    return S_OK;
  }
  switch (vt) {
    case VT_I1:
      view->cVal = *source->pcVal;
      break;
    case VT_UI1:
      view->bVal = *source->pbVal;
      break;
    case VT_I2:
      view->iVal = *source->piVal;
      break;
    case VT_UI2:
      view->uiVal = *source->puiVal;
      break;
    case VT_BOOL:
      view->boolVal = *source->pboolVal;
      break;
    case VT_I4:
      view->lVal = *source->plVal;
      break;
    case VT_UI4:
      view->ulVal = *source->pulVal;
      break;
    case VT_INT:
      view->intVal = *source->pintVal;
      break;
    case VT_UINT:
      view->uintVal = *source->puintVal;
      break;
    case VT_ERROR:
      view->scode = *source->pscode;
      break;
    case VT_R4:
      view->fltVal = *source->pfltVal;
      break;
    case VT_I8:
      view->llVal = *source->pllVal;
      break;
    case VT_UI8:
      view->ullVal = *source->pullVal;
      break;
    case VT_R8:
      view->dblVal = *source->pdblVal;
      break;
    case VT_CY:
      view->cyVal = *source->pcyVal;
      break;
    case VT_DATE:
      view->date = *source->pdate;
      break;
    case VT_BSTR:
      view->bstrVal = *source->pbstrVal;
      break;
    case VT_DISPATCH:
      view->pdispVal = *source->ppdispVal;
      break;
    case VT_UNKNOWN:
      view->punkVal = *source->ppunkVal;
      break;
    case VT_RECORD:
      view->brecVal = source->brecVal;
      break;
    default:
      // A decimal cannot be held by value here.
      return DISP_E_BADVARTYPE;
  }
  return S_OK;
}

// Copies a by-value variant into an empty one, duplicating what it owns.
HRESULT DeepCopy(const VARIANT* source, VARIANT* target) {
  VARIANT copy = *source;
  if (source->vt & VT_ARRAY) {
    HRESULT hr = SafeArrayCopy(source->parray, &copy.parray);
    if (FAILED(hr)) return hr;
  } else if (source->vt == VT_BSTR) {
    if (source->bstrVal != nullptr) {
      copy.bstrVal =
          SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source->bstrVal), SysStringByteLen(source->bstrVal));
      if (copy.bstrVal == nullptr) return E_OUTOFMEMORY;
    }
  } else if (source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN) {
    if (source->punkVal != nullptr) source->punkVal->AddRef();
  }
  *target = copy;
  return S_OK;
}

}  // namespace

void VariantInit(VARIANTARG* pvarg) { pvarg->vt = VT_EMPTY; }

HRESULT VariantClear(VARIANTARG* pvarg) {
  if (pvarg == nullptr) return E_INVALIDARG;
  // The cells of a returned table first: a string, or a value that owns nothing.
  switch (pvarg->vt) {
    case VT_BSTR:
      SysFreeString(pvarg->bstrVal);
      pvarg->vt = VT_EMPTY;
      return S_OK;
    case VT_EMPTY:
    case VT_I4:
    case VT_BOOL:
      pvarg->vt = VT_EMPTY;
      return S_OK;
    default:
      break;
  }
  if (!IsVariantType(pvarg->vt)) return DISP_E_BADVARTYPE;
  if (!(pvarg->vt & VT_BYREF)) {
    if (pvarg->vt & VT_ARRAY) {
      HRESULT hr = SafeArrayDestroy(pvarg->parray);
      if (FAILED(hr)) return hr;
    } else if (pvarg->vt == VT_BSTR) {
      SysFreeString(pvarg->bstrVal);
    } else if (pvarg->vt == VT_DISPATCH || pvarg->vt == VT_UNKNOWN) {
      if (pvarg->punkVal != nullptr) pvarg->punkVal->Release();
    }
  }
  pvarg->vt = VT_EMPTY;
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
  if (pvargDest == nullptr || pvargSrc == nullptr) return E_INVALIDARG;
  if (pvargDest == pvargSrc) return S_OK;
  if (!IsVariantType(pvargSrc->vt)) return DISP_E_BADVARTYPE;
  HRESULT hr = VariantClear(pvargDest);
  if (FAILED(hr)) return hr;
  if (pvargSrc->vt & VT_BYREF) {
    *pvargDest = *pvargSrc;
    return S_OK;
  }
  return DeepCopy(pvargSrc, pvargDest);
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc) {
  if (pvarDest == nullptr || pvargSrc == nullptr) return E_INVALIDARG;
  if (!IsVariantType(pvargSrc->vt)) return DISP_E_BADVARTYPE;
  if (!(pvargSrc->vt & VT_BYREF)) return VariantCopy(pvarDest, pvargSrc);
  VARIANT view;
  HRESULT hr = Dereference(pvargSrc, &view);
  if (FAILED(hr)) return hr;
  if (!IsVariantType(view.vt)) return DISP_E_BADVARTYPE;
  // Copy before clearing: the destination may be the source itself.
  VARIANT copy;
  hr = DeepCopy(&view, &copy);
  if (FAILED(hr)) return hr;
  hr = VariantClear(pvarDest);
  if (FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  *pvarDest = copy;
  return S_OK;
}
