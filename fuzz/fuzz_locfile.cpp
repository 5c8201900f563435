// Fuzzes the localized-file reader against a fixed, valid GUI XML file.
#include <fstream>
#include <sstream>

#include <k42gui/winuser.h>

#include "fuzz_input.h"
#include "loading/DDModel.h"
#include "platform/text.h"

namespace {
int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT, void*) { return IDOK; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  K42SetMessageBoxHandler(&SilentBox, nullptr);
  static const bool copied = [] {
    std::ifstream in(std::string(K42GUI_SOURCE_DIR) + "/tests/data/common/minimal.xml", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    k42fuzz::WriteInput("device.xml", reinterpret_cast<const uint8_t*>(xml.data()), xml.size());
    return true;
  }();
  (void)copied;
  k42fuzz::WriteInput("device_loc.xml", data, size);

  CDDModel model;
  model.Initialize(k42::FromNarrow(k42fuzz::DeviceDirectory()), u"device.xml", u"device_loc.xml", u"en", 1, nullptr);
  model.OnLanguageIDChange(u"de", nullptr);
  return 0;
}
