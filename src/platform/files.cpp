// File kinds the readers accept before they open a path.
#include "platform/files.h"

#include <filesystem>
#include <string>

#include "platform/text.h"

namespace k42 {

bool IsReadableWithoutWaiting(std::string_view path) {
  std::error_code error;
  const auto status = std::filesystem::status(std::filesystem::path(std::string(path)), error);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  return !error && status.type() == std::filesystem::file_type::regular;
}

bool IsReadableWithoutWaiting(std::u16string_view path) { return IsReadableWithoutWaiting(ToNarrow(path)); }

}  // namespace k42
