// Paths of the test data and a helper to load a model from test files.
#pragma once

#include <cstdint>
#include <string>

#include <k42gui/wintypes.h>

class CDDModel;

namespace k42test {

// The test data directory with a trailing '/'.
std::u16string DataDir();
// DataDir() + relative, as UTF-16 and as UTF-8.
std::u16string DataPath(const std::string& relative);
std::string DataPathNarrow(const std::string& relative);

// Initializes model from two files under the test data directory.
int32_t Load(CDDModel& model, const std::string& xmlFile, const std::string& locFile,
             const std::u16string& language = u"en", int32_t functionId = 1, HWND progress = nullptr);

// Writes text to a fresh file in a temporary directory; returns its path.
std::string WriteTempFile(const std::string& name, const std::string& text);

}  // namespace k42test
