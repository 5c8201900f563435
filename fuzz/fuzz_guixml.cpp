// Fuzzes the GUI XML loading: parse, section walk, and every query afterwards.
#include <k42gui/winuser.h>

#include "fuzz_input.h"
#include "loading/DDModel.h"
#include "platform/text.h"

namespace {
int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT, void*) { return IDOK; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  K42SetMessageBoxHandler(&SilentBox, nullptr);
  k42fuzz::WriteInput("device.xml", data, size);
  static const char kLoc[] = "<LANGUAGE_SUPPORT><LANG ID=\"en\" DEFAULT=\"1\"/></LANGUAGE_SUPPORT>";
  k42fuzz::WriteInput("device_loc.xml", reinterpret_cast<const uint8_t*>(kLoc), sizeof kLoc - 1);

  CDDModel model;
  model.Initialize(k42::FromNarrow(k42fuzz::DeviceDirectory()), u"device.xml", u"device_loc.xml", u"en", 1, nullptr);
  std::vector<std::u16string> modules;
  model.GetTabModules(1, modules);
  for (const auto& module : model.Modules()) {
    std::vector<CDDMenuEntry> entries;
    model.GetModuleRootMenus(std::u16string(module->Id()), entries);
    for (const CDDMenuEntry& entry : entries) {
      std::u16string label, display, icon;
      int32_t type = 0, conditional = 0;
      model.GetItemInfo(std::u16string(module->Id()), u"", entry.m_reference.String(), label, display, icon, type,
                        conditional);
    }
  }
  return 0;
}
