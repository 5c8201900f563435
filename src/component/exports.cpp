// The exported entry points of the component library: class object, unload query and the lock-count diagnostic.
#include <k42gui/IGuiXmlModel.h>

#include "component/diagnostics.h"
#include "component/module.h"

using k42com::ComponentModule;

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != CLSID_GuiXmlModel) return CLASS_E_CLASSNOTAVAILABLE;
  return ComponentModule::Instance().GetClassObject(riid, ppv);
}

// Always S_FALSE, even with no object alive: the library is never unloaded
// by a runtime's cleanup of unused libraries.
HRESULT DllCanUnloadNow() { return S_FALSE; }

LONG K42GuiXmlReaderLockCount() { return ComponentModule::Instance().LockCount(); }
