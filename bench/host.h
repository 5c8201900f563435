// The benchmark's side of the interface: creating model objects as a host does, and the queries it times.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <k42gui/windows.h>
#include <k42gui/IGuiXmlModel.h>

#include "synthetic_device.h"

namespace k42bench {

// An owned automation string.
class Bstr {
 public:
  Bstr() = default;
  Bstr(const char16_t* text) : Bstr(std::u16string(text)) {}
  explicit Bstr(const std::u16string& text) : m_text(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(m_text); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return m_text; }
  void reset(const std::u16string& text) {
    SysFreeString(m_text);
    m_text = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }

 private:
  BSTR m_text = nullptr;
};

// Releases the interface pointer it holds.
struct ModelRelease {
  void operator()(IGuiXmlModel* model) const { model->Release(); }
};
using ModelPtr = std::unique_ptr<IGuiXmlModel, ModelRelease>;

// A new GuiXmlModel object from the component's class factory; throws when the component hands out none.
ModelPtr CreateModel();

// Initialize on a fresh object; returns the object after an S_OK, throws with the result otherwise.
ModelPtr LoadDevice(const std::string& directory, const std::u16string& language = u"en");

// The arguments the queries pass: the device's probes as automation strings, made once so that neither
// creating nor finding them is timed.
struct QueryArgs {
  explicit QueryArgs(const Probes& probes);
  Bstr module, menu, display, menuItem, variable, method, image, label, meta, mapping, feature, guiLabel;
  Bstr noMenu{u"mnu_unknown"}, none, initKey{u"Mode"};
};

// One query as a host makes it, outputs freed afterwards. rows is set to the rows of an array output.
struct Query {
  std::string name;
  bool takesIdentifier;
  HRESULT expected;  // what the device answers: a probe that misses would time the wrong path
  std::function<HRESULT(IGuiXmlModel&, const QueryArgs&, long& rows)> call;
};

// Every query method of the interface with the arguments that reach the end of its lists.
const std::vector<Query>& Queries();

// Runs every query once on a loaded model; returns a line for each that did not answer as expected (the
// display probe must hand out 27 rows), or nothing.
std::vector<std::string> CheckQueries(IGuiXmlModel& model, const QueryArgs& args);

}  // namespace k42bench
