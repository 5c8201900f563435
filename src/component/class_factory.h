// The class object of GuiXmlModel: an IClassFactory kept for the life of the module.
#pragma once

#include <k42gui/objbase.h>

#include <mutex>

namespace k42com {

// Creates GuiXmlModel objects. Its reference count is guarded by a mutex,
// since hosts may use the cached class object from several threads; while
// more than one reference is held (any beyond the module's own), it holds
// one unit of the module lock count.
class CGuiXmlModelFactory final : public IClassFactory {
 public:
  // A new class object with one reference (the module's cache), or null.
  static CGuiXmlModelFactory* Create();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // E_POINTER for a null ppvObject; CLASS_E_NOAGGREGATION when an outer
  // object asks for anything but IUnknown; E_OUTOFMEMORY; otherwise the
  // result of querying the new object for riid.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) override;
  // Adds (TRUE) or removes (FALSE) one unit of the module lock count.
  HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

 private:
  CGuiXmlModelFactory() = default;
  ~CGuiXmlModelFactory() = default;

  std::mutex m_mutex;
  ULONG m_refs = 0;
};

}  // namespace k42com
