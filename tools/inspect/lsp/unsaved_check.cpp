// The hidden copies: named after the saved file with a random part, in the saved file's directory, so that
// the schema and every file the device names resolve exactly as they do for the saved file.
#include "inspect/lsp/unsaved_check.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace lsp {
namespace {

namespace fs = std::filesystem;

// A copy of text beside path; removed when the copy goes.
class HiddenCopy {
 public:
  HiddenCopy(const std::string& path, const std::string& text) {
    static std::mt19937_64 random{std::random_device{}()};
    const fs::path saved(path);
    const fs::path copy = saved.parent_path() / std::string(1, '.')
                                                    .append(saved.stem().string())
                                                    .append(".unsaved-")
                                                    .append(std::to_string(random() % 1000000000ULL))
                                                    .append(saved.extension().string());
    std::ofstream out(copy, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (out) {
      m_path = copy.string();
    } else {
      std::error_code ignored;
      fs::remove(copy, ignored);
    }
  }
  ~HiddenCopy() {
    std::error_code ignored;
    if (!m_path.empty()) fs::remove(m_path, ignored);
  }
  HiddenCopy(const HiddenCopy&) = delete;
  HiddenCopy& operator=(const HiddenCopy&) = delete;

  const std::string& Path() const { return m_path; }  // empty when it could not be written

 private:
  std::string m_path;
};

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

UnsavedCheck CheckUnsaved(const UnsavedDevice& device) {
  UnsavedCheck result;
  std::optional<HiddenCopy> gui, loc;
  k42gui::CheckRequest request;
  request.guiXmlPath = device.guiPath;
  request.localizedPath = device.locPath;
  request.language = device.language;
  request.functionId = device.functionId;
  if (device.guiText) {
    gui.emplace(device.guiPath, *device.guiText);
    if (!gui->Path().empty()) request.guiXmlPath = gui->Path();
  }
  if (device.locText && !device.locPath.empty()) {
    loc.emplace(device.locPath, *device.locText);
    if (!loc->Path().empty()) request.localizedPath = loc->Path();
  }
  if ((gui && gui->Path().empty()) || (loc && loc->Path().empty())) {
    result.note =
        "the unsaved changes could not be checked (no hidden copy could be written beside the file); "
        "the saved files were checked";
  }
  for (k42gui::Finding finding : k42gui::CheckDevice(request).findings) {
    // The copies' names never reach the author: each is told as the saved file.
    for (const auto& [copy, saved] :
         {std::pair{request.guiXmlPath, device.guiPath}, std::pair{request.localizedPath, device.locPath}}) {
      if (copy == saved) continue;
      if (finding.file == copy) finding.file = saved;
      ReplaceAll(finding.message, copy, saved);
      ReplaceAll(finding.message, fs::path(copy).filename().string(), fs::path(saved).filename().string());
    }
    result.findings[finding.file].push_back(std::move(finding));
  }
  return result;
}

}  // namespace lsp
