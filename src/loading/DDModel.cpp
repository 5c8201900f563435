// Initialization of the model: directory normalization and path building.
#include "loading/DDModel.h"

namespace {

// Appends the directory's separator unless it ends with it: the forward
// slash when the directory contains one anywhere, else the backslash. An
// empty directory becomes a single backslash.
std::u16string NormalizeDirectory(std::u16string directory) {
  const char16_t separator = directory.find(u'/') != std::u16string::npos ? u'/' : u'\\';
  if (directory.empty() || directory.back() != separator) directory.push_back(separator);
  return directory;
}

}  // namespace

int32_t CDDModel::Initialize(const std::u16string& directory, const std::u16string& xmlFile,
                             const std::u16string& locFile, const std::u16string& language, int32_t functionId,
                             HWND progress) {
  m_directory = NormalizeDirectory(directory);
  m_xmlFileName = xmlFile;
  // The parse paths use the directory exactly as passed.
  return ParseFile(directory + xmlFile, directory + locFile, language, functionId, progress);
}
