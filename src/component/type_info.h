// The type information of IGuiXmlModel: name look-up, documentation and late-bound invocation of its 42 methods.
#pragma once

#include <k42gui/oleauto.h>

#include <atomic>

namespace k42com {

// Describes IGuiXmlModel from the static method table (method_table.h), as
// a type library's type information would, and performs the dispatch calls
// of IDispatch on its objects. One instance is shared by the whole module,
// so its reference count is atomic.
class CGuiXmlModelTypeInfo final : public ITypeInfo {
 public:
  // A new instance with one reference, or null.
  static CGuiXmlModelTypeInfo* Create();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // rgszNames[0] is a method name, the others its parameter names; names
  // are matched without regard to case. Methods get their dispatch
  // identifier, parameters their position (0 = first). An unknown name
  // gives DISP_E_UNKNOWNNAME and MEMBERID_NIL in its place (every name after
  // an unknown method name is unknown too).
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) override;

  // Calls method memid of pvInstance (an IGuiXmlModel*), as InvokeMethod
  // (method_table.h) describes.
  HRESULT STDMETHODCALLTYPE Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
                                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  // Name and help string of a method, or (MEMBERID_NIL) of the interface:
  // "IGuiXmlModel", "IGuiXmlModel Interface". No help context or file.
  // TYPE_E_ELEMENTNOTFOUND for other identifiers.
  HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                             DWORD* pdwHelpContext, BSTR* pBstrHelpFile) override;

 private:
  CGuiXmlModelTypeInfo() = default;
  ~CGuiXmlModelTypeInfo() = default;

  std::atomic<ULONG> m_refs{0};
};

}  // namespace k42com
