// Fuzzes the device checker: each input is a GUI XML file with the demo's localized file beside it.
#include <filesystem>

#include <k42gui/DeviceCheck.h>
#include <k42gui/winuser.h>

#include "fuzz_input.h"

namespace {
int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT, void*) { return IDOK; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  K42SetMessageBoxHandler(&SilentBox, nullptr);
  static const bool localized = [] {
    std::filesystem::copy_file(std::filesystem::path(K42GUI_SOURCE_DIR) / "examples/demo/demo_loc.xml",
                               k42fuzz::DeviceDirectory() + "device_loc.xml",
                               std::filesystem::copy_options::overwrite_existing);
    return true;
  }();
  (void)localized;
  k42fuzz::WriteInput("device.xml", data, size);

  k42gui::CheckRequest request;
  request.guiXmlPath = k42fuzz::DeviceDirectory() + "device.xml";
  request.localizedPath = k42fuzz::DeviceDirectory() + "device_loc.xml";
  k42gui::CheckDevice(request);
  return 0;
}
