// CGuiXmlModel identity and lifetime: interface table, aggregation, reference count, error-info and dispatch entry points.
#include "component/GuiXmlModel.h"

#include <new>

#include "component/module.h"

namespace k42com {

CGuiXmlModel::CGuiXmlModel(IUnknown* outer) : inner_(*this), outer_(outer) { ComponentModule::Instance().Lock(); }

CGuiXmlModel::~CGuiXmlModel() { ComponentModule::Instance().Unlock(); }

HRESULT CGuiXmlModel::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  CGuiXmlModel* object = nullptr;
  try {
    object = new CGuiXmlModel(outer);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  // The reference count is 0 until this query hands out the first reference.
  HRESULT hr = object->inner_.QueryInterface(riid, ppv);
  if (FAILED(hr)) delete object;
  return hr;
}

// ---- Non-delegating IUnknown ------------------------------------------------

HRESULT CGuiXmlModel::InnerUnknown::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  IUnknown* found = nullptr;
  if (riid == IID_IUnknown) {
    // Aggregated, the object's own identity is this inner unknown; otherwise
    // IUnknown is answered with the first entry of the interface table.
    found = owner_.outer_ ? static_cast<IUnknown*>(this) : static_cast<IGuiXmlModel*>(&owner_);
  } else if (riid == IID_IGuiXmlModel || riid == IID_IDispatch) {
    found = static_cast<IGuiXmlModel*>(&owner_);
  } else if (riid == IID_ISupportErrorInfo) {
    found = static_cast<ISupportErrorInfo*>(&owner_);
  } else {
    return E_NOINTERFACE;
  }
  // Through the interface found: an aggregated object's interfaces count on
  // the outer object, its inner unknown on itself.
  found->AddRef();
  *ppvObject = found;
  return S_OK;
}

ULONG CGuiXmlModel::InnerUnknown::AddRef() { return ++owner_.refs_; }

ULONG CGuiXmlModel::InnerUnknown::Release() {
  ULONG refs = --owner_.refs_;
  if (refs == 0) delete &owner_;
  return refs;
}

// ---- Delegating IUnknown ----------------------------------------------------

HRESULT CGuiXmlModel::QueryInterface(REFIID riid, void** ppvObject) {
  return outer_ ? outer_->QueryInterface(riid, ppvObject) : inner_.QueryInterface(riid, ppvObject);
}

ULONG CGuiXmlModel::AddRef() { return outer_ ? outer_->AddRef() : inner_.AddRef(); }

ULONG CGuiXmlModel::Release() { return outer_ ? outer_->Release() : inner_.Release(); }

// ---- ISupportErrorInfo --------------------------------------------------------

HRESULT CGuiXmlModel::InterfaceSupportsErrorInfo(REFIID riid) {
  return riid == IID_IGuiXmlModel ? S_OK : S_FALSE;
}

// ---- IDispatch ----------------------------------------------------------------

HRESULT CGuiXmlModel::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 1;
  return S_OK;
}

HRESULT CGuiXmlModel::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  // There is one type information; the index is not checked.
  if (!ppTInfo) return E_POINTER;
  return ComponentModule::Instance().GetTypeInfo(ppTInfo);
}

HRESULT CGuiXmlModel::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
  ITypeInfo* typeInfo = nullptr;
  HRESULT hr = ComponentModule::Instance().GetTypeInfo(&typeInfo);
  if (FAILED(hr)) return hr;
  hr = typeInfo->GetIDsOfNames(rgszNames, cNames, rgDispId);
  typeInfo->Release();
  return hr;
}

HRESULT CGuiXmlModel::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                             VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* typeInfo = nullptr;
  HRESULT hr = ComponentModule::Instance().GetTypeInfo(&typeInfo);
  if (FAILED(hr)) return hr;
  hr = typeInfo->Invoke(static_cast<IGuiXmlModel*>(this), dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo,
                        puArgErr);
  typeInfo->Release();
  return hr;
}

}  // namespace k42com
