// Checks a device as the editor holds it: the device checker reads files, so the unsaved buffers are written
// to hidden copies beside the saved files, checked there, and the findings are told of the saved files.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <k42gui/DeviceCheck.h>

namespace lsp {

struct UnsavedDevice {
  std::string guiPath, locPath;                 // the saved files (the localized one may be missing)
  std::optional<std::string> guiText, locText;  // the buffers that differ from the saved files
  std::string language = "en";
  long functionId = 1;
};

struct UnsavedCheck {
  std::map<std::string, std::vector<k42gui::Finding>> findings;  // by the path of the file they concern
  std::string note;  // when the unsaved text could not be checked: why (the saved files were checked instead)
};

UnsavedCheck CheckUnsaved(const UnsavedDevice& device);

}  // namespace lsp
